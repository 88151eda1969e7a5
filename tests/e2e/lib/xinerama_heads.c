/* A stand-in for libXinerama.so.1 that reports the heads XINERAMA_HEADS names
 * ("W,H,X,Y;W,H,X,Y;..."), the first one primary. Xvfb has one RandR output and lays its
 * Xinerama screens over each other at (0, 0), so it cannot show Wine two monitors side by side;
 * with RANDR switched off, Wine's X11 driver takes its monitors from Xinerama, that is from this
 * library when it is first on LD_LIBRARY_PATH. Built by the tests that need several monitors. */
#include <stdio.h>
#include <stdlib.h>

typedef struct _XDisplay Display;
typedef int Bool;
typedef int Status;
typedef struct {
    int screen_number;
    short x_org, y_org, width, height;
} XineramaScreenInfo;

Bool XineramaQueryExtension(Display *d, int *event_base, int *error_base) {
    (void)d;
    *event_base = 0;
    *error_base = 0;
    return 1;
}

Status XineramaQueryVersion(Display *d, int *major, int *minor) {
    (void)d;
    *major = 1;
    *minor = 1;
    return 1;
}

Bool XineramaIsActive(Display *d) {
    (void)d;
    return 1;
}

XineramaScreenInfo *XineramaQueryScreens(Display *d, int *number) {
    const char *text = getenv("XINERAMA_HEADS");
    XineramaScreenInfo *heads = calloc(16, sizeof *heads);
    int n = 0;
    (void)d;
    while (heads && text && *text && n < 16) {
        int w, h, x, y, used = 0;
        if (sscanf(text, "%d,%d,%d,%d%n", &w, &h, &x, &y, &used) != 4) break;
        heads[n].screen_number = n;
        heads[n].width = (short)w;
        heads[n].height = (short)h;
        heads[n].x_org = (short)x;
        heads[n].y_org = (short)y;
        ++n;
        text += used;
        if (*text == ';') ++text;
    }
    *number = n;
    return heads;
}
