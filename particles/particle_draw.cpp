#include "particles/particle_draw.h"

#include "app/view_state.h"
#include "gl/opengl.h"
#include "gl/shader_program.h"
#include "particles/particle_store.h"

static const float GlitterPointSize = 2;   // pixels
static const float FirePointSize = 50;     // pixels

// Points the four client arrays straight at the store; the data stays in
// client memory and is read afresh by every draw.
static void BindParticleArrays()
{
    glVertexPointer(3, GL_FLOAT, 0, particles.positions);
    glColorPointer(3, GL_FLOAT, 0, particles.colors);
    glVertexAttribPointer(VelocityAttrib, 3, GL_FLOAT, GL_FALSE, 0, particles.velocities);
    glVertexAttribPointer(StartAttrib, 1, GL_FLOAT, GL_FALSE, 0, particles.startTimes);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableVertexAttribArray(VelocityAttrib);
    glEnableVertexAttribArray(StartAttrib);
}

static void UnbindParticleArrays()
{
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableVertexAttribArray(VelocityAttrib);
    glDisableVertexAttribArray(StartAttrib);
}

static void BeginFireSprites()
{
    glEnable(GL_POINT_SPRITE);
    // Replace texture coordinate set 0 with 0..1 across each sprite, so the
    // fragment shader can sample the whole glow image on every point.
    glTexEnvi(GL_POINT_SPRITE, GL_COORD_REPLACE, GL_TRUE);
    // Additive blend: overlapping flames add up to a bright core, and the
    // black edges of the sprite add nothing, so no square corners show.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    // Keep testing depth but stop writing it: otherwise the first sprite
    // drawn would hide the ones behind it, whatever the blend.
    glDepthMask(GL_FALSE);
}

static void EndFireSprites()
{
    glDisable(GL_POINT_SPRITE);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}

void DrawParticles()
{
    glPointSize(view.mode ? FirePointSize : GlitterPointSize);
    BindParticleArrays();
    if (view.mode)
        BeginFireSprites();
    glDrawArrays(GL_POINTS, 0, particles.gridSize * particles.gridSize);
    if (view.mode)
        EndFireSprites();
    UnbindParticleArrays();
}
