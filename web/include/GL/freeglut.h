// The web build's GL/freeglut.h: the GLUT calls the program makes, for the
// page's one canvas. web/glut.js runs the canvas, its keys and the event
// loop; web/raster.cpp draws the bitmap fonts.
#pragma once

#include <GLES2/gl2.h>

#define GLUT_RGB 0x0000
#define GLUT_DOUBLE 0x0002
#define GLUT_ALPHA 0x0008
#define GLUT_DEPTH 0x0010
#define GLUT_ELAPSED_TIME 0x02BC

#define GLUT_LEFT_BUTTON 0
#define GLUT_DOWN 0
#define GLUT_UP 1

#define GLUT_KEY_F1 0x0001
#define GLUT_KEY_F12 0x000C
#define GLUT_KEY_LEFT 0x0064
#define GLUT_KEY_UP 0x0065
#define GLUT_KEY_RIGHT 0x0066
#define GLUT_KEY_DOWN 0x0067
#define GLUT_KEY_PAGE_UP 0x0068
#define GLUT_KEY_PAGE_DOWN 0x0069
#define GLUT_KEY_HOME 0x006A
#define GLUT_KEY_END 0x006B
#define GLUT_KEY_INSERT 0x006C

// The two fonts the program prints with, as GLUT's handles to them.
struct BitmapFont;
extern const BitmapFont BitmapHelvetica18;
extern const BitmapFont Bitmap9By15;
#define GLUT_BITMAP_HELVETICA_18 ((void*)&BitmapHelvetica18)
#define GLUT_BITMAP_9_BY_15 ((void*)&Bitmap9By15)

// Draws one character at the raster position and moves it on by the
// character's width, as glBitmap would.
void glutBitmapCharacter(void* font, int character);

extern "C" {
void glutInit(int* argc, char** argv);
void glutInitDisplayMode(unsigned int mode);
void glutInitWindowSize(int width, int height);
int glutCreateWindow(const char* title);
void glutDisplayFunc(void (*display)());
void glutReshapeFunc(void (*reshape)(int width, int height));
void glutSpecialFunc(void (*special)(int key, int x, int y));
void glutKeyboardFunc(void (*keyboard)(unsigned char key, int x, int y));
void glutIdleFunc(void (*idle)());
void glutMouseFunc(void (*mouse)(int button, int state, int x, int y));
void glutMotionFunc(void (*motion)(int x, int y));
void glutMouseWheelFunc(void (*wheel)(int wheel, int direction, int x, int y));
void glutMultiButtonFunc(void (*button)(int id, int x, int y, int button, int state));
void glutMultiMotionFunc(void (*motion)(int id, int x, int y));
void glutTimerFunc(unsigned int milliseconds, void (*timer)(int value), int value);
int glutGet(GLenum what);
void glutPostRedisplay();
void glutSwapBuffers();
void glutMainLoop();
}
