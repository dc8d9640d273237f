// The view and mode the user controls; read by the frame and the particles.
#pragma once

struct ViewState {
    int azimuth;     // rotation about the y axis, whole degrees
    int elevation;   // rotation about the x axis, whole degrees
    double dim;      // half-size of the visible box, world units
    double aspect;   // window width / height
    int showAxes;    // 1 while the labelled axes are drawn
    int mode;        // particle mode: 0 Glitter, 1 Fire
};

// The one view of the one window, for the whole run.
extern ViewState view;
