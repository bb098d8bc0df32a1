/* Time from the start of a program to the first frame of one of its windows
 * that is not blank, seen from the X server, as a user would see it.
 *
 *   premiere_image [-n N] [-t SECONDES] [-q] -- PROGRAMME ARGUMENTS...
 *
 * Watches the root window for top-level windows being mapped, takes the N-th
 * (default 1) at least 200 x 150 pixels large, then reads its pixels until
 * they hold more than two colours. Prints "carte MS image MS" (milliseconds
 * from the fork to the mapping and to the first painted frame); a window
 * taken down before it was painted is replaced by the next one. Then it ends the
 * program and its children, and leaves with 0; 1 when nothing showed in time.
 * Run it on a display without a window manager (Xvfb), where top-level
 * windows are the root's children. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double maintenant_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int erreur_x(Display *d, XErrorEvent *e)
{
    (void)d;
    (void)e;
    return 0; /* a window may go while it is read */
}

/* More than two distinct pixel values: something was drawn on the background. */
static int peinte(Display *d, Window w)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable)
        return 0;
    XImage *im = XGetImage(d, w, 0, 0, (unsigned)a.width, (unsigned)a.height, AllPlanes, ZPixmap);
    if (!im)
        return 0;
    unsigned long vues[3];
    int n = 0;
    for (int y = 0; y < a.height && n < 3; y += 2) {
        for (int x = 0; x < a.width && n < 3; x += 2) {
            const unsigned long p = XGetPixel(im, x, y);
            int connu = 0;
            for (int i = 0; i < n; ++i)
                connu |= vues[i] == p;
            if (!connu)
                vues[n++] = p;
        }
    }
    XDestroyImage(im);
    return n >= 3;
}

int main(int argc, char **argv)
{
    int rang = 1;
    double delai = 20;
    int i = 1;
    for (; i < argc; ++i) {
        if (!strcmp(argv[i], "-n") && i + 1 < argc)
            rang = atoi(argv[++i]);
        else if (!strcmp(argv[i], "-t") && i + 1 < argc)
            delai = atof(argv[++i]);
        else if (!strcmp(argv[i], "--")) {
            ++i;
            break;
        } else
            break;
    }
    if (i >= argc) {
        fprintf(stderr, "usage : premiere_image [-n N] [-t SECONDES] -- PROGRAMME ARGUMENTS...\n");
        return 2;
    }
    /* The server may be busy accepting the previous program's going. */
    Display *d = NULL;
    for (int essai = 0; essai < 50 && !(d = XOpenDisplay(NULL)); ++essai) {
        struct timespec pause = {0, 20000000};
        nanosleep(&pause, NULL);
    }
    if (!d) {
        fprintf(stderr, "premiere_image : pas d'affichage X\n");
        return 2;
    }
    XSetErrorHandler(erreur_x);
    const Window racine = DefaultRootWindow(d);
    XSelectInput(d, racine, SubstructureNotifyMask);
    XSync(d, False);

    const double debut = maintenant_ms();
    const pid_t enfant = fork();
    if (enfant == 0) {
        setpgid(0, 0);
        execvp(argv[i], argv + i);
        _exit(127);
    }
    setpgid(enfant, enfant);

    Window cible = 0;
    int vues = 0;
    double carte = -1, image = -1;
    while (maintenant_ms() - debut < delai * 1000) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            /* A window taken down before it was painted (a program that
             * restarts itself on a first start): the next one counts. */
            if (cible
                && ((e.type == UnmapNotify && e.xunmap.window == cible)
                    || (e.type == DestroyNotify && e.xdestroywindow.window == cible))) {
                cible = 0;
                rang = vues + 1;
                continue;
            }
            if (e.type != MapNotify || cible || e.xmap.override_redirect || e.xmap.event != racine)
                continue;
            XWindowAttributes a;
            if (!XGetWindowAttributes(d, e.xmap.window, &a) || a.width < 200 || a.height < 150)
                continue;
            if (++vues == rang) {
                cible = e.xmap.window;
                carte = maintenant_ms() - debut;
            }
        }
        if (cible && peinte(d, cible)) {
            image = maintenant_ms() - debut;
            break;
        }
        if (waitpid(enfant, NULL, WNOHANG) == enfant)
            break;
        /* Poll finely once the window is there; the events wait in the queue. */
        struct timespec pause = {0, cible ? 500000 : 200000};
        nanosleep(&pause, NULL);
    }
    kill(-enfant, SIGTERM);
    for (int k = 0; k < 200 && waitpid(enfant, NULL, WNOHANG) == 0; ++k) {
        struct timespec pause = {0, 10000000};
        nanosleep(&pause, NULL);
    }
    kill(-enfant, SIGKILL);
    waitpid(enfant, NULL, 0);
    XCloseDisplay(d);
    if (image < 0) {
        fprintf(stderr, "premiere_image : aucune fenêtre peinte (carte %.1f ms)\n", carte);
        return 1;
    }
    printf("carte %.1f image %.1f\n", carte, image);
    return 0;
}
