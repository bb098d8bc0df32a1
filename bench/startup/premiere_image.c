/* Time from the start of a program to the moment one of its windows shows
 * what it will go on showing, seen from the X server, as a user would see it.
 *
 *   premiere_image [-n N] [-t SECONDES] [-r MS] -- PROGRAMME ARGUMENTS...
 *
 * Watches the root window for top-level windows being mapped, takes the N-th
 * (default 1) at least 200 x 150 pixels large, then reads its pixels each time
 * the server reports drawing in it (DAMAGE), keeping every distinct frame,
 * until nothing changes by more than 0.5 % of its pixels for MS milliseconds
 * (default 1000): that last frame is the finished window. The time given is
 * when the reading of the first frame that already looked like it ended
 * (within 0.5 %: a clock or a caret may change meanwhile). A blank window,
 * whatever lay beneath an unpainted one, a frame with only its toolbars or an
 * empty sheet are not finished. Prints "carte MS image MS" (milliseconds from
 * the fork to the mapping and to the finished frame); a window taken down
 * before it settled is replaced by the next one. Then it ends the program and
 * its children, and leaves with 0; 1 when nothing settled in time. Run it on a
 * display without a window manager (Xvfb), where top-level windows are the
 * root's children.
 *
 * Reading only when something was drawn, through shared memory, keeps the
 * measure from taking the processor and the server from the program measured:
 * reading the whole window every millisecond slowed it by several
 * milliseconds on a two-core machine. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xdamage.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ipc.h>
#include <sys/select.h>
#include <sys/shm.h>
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

/* One frame of the window as read, and when the reading ended. */
typedef struct {
    double quand;
    int largeur, hauteur;
    unsigned *pixels;
} Image;

#define MAX_IMAGES 400

static Image images[MAX_IMAGES];
static int nb_images = 0;

static void oublier_images(void)
{
    for (int i = 0; i < nb_images; ++i)
        free(images[i].pixels);
    nb_images = 0;
}

/* Pixels that differ; every pixel when the sizes differ. */
static long ecart(const Image *a, const Image *b)
{
    if (a->largeur != b->largeur || a->hauteur != b->hauteur)
        return (long)a->largeur * a->hauteur + 1;
    long n = 0;
    const long total = (long)a->largeur * a->hauteur;
    for (long i = 0; i < total; ++i)
        n += (a->pixels[i] & 0xffffff) != (b->pixels[i] & 0xffffff);
    return n;
}

static long tolerance(const Image *a)
{
    return (long)a->largeur * a->hauteur / 200; /* 0.5 % */
}

/* Shared memory the server copies the window into, as large as the window. */
static XImage *tampon = NULL;
static XShmSegmentInfo segment;

static void liberer_tampon(Display *d)
{
    if (!tampon)
        return;
    XShmDetach(d, &segment);
    XDestroyImage(tampon);
    shmdt(segment.shmaddr);
    tampon = NULL;
}

static int preparer_tampon(Display *d, const XWindowAttributes *a)
{
    if (tampon && tampon->width == a->width && tampon->height == a->height)
        return 1;
    liberer_tampon(d);
    tampon = XShmCreateImage(d, a->visual, (unsigned)a->depth, ZPixmap, NULL, &segment, (unsigned)a->width,
                             (unsigned)a->height);
    if (!tampon)
        return 0;
    segment.shmid = shmget(IPC_PRIVATE, (size_t)tampon->bytes_per_line * tampon->height, IPC_CREAT | 0600);
    segment.shmaddr = tampon->data = shmat(segment.shmid, NULL, 0);
    segment.readOnly = False;
    XShmAttach(d, &segment);
    XSync(d, False);
    shmctl(segment.shmid, IPC_RMID, NULL); /* gone once both sides detach */
    return 1;
}

/* Reads the window; 0 when it cannot be read (gone, not viewable). */
static int lire(Display *d, Window w, Image *im)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable || !preparer_tampon(d, &a))
        return 0;
    if (!XShmGetImage(d, w, tampon, 0, 0, AllPlanes))
        return 0;
    im->quand = maintenant_ms();
    im->largeur = a.width;
    im->hauteur = a.height;
    im->pixels = malloc(sizeof(unsigned) * (size_t)a.width * (size_t)a.height);
    if (tampon->bits_per_pixel == 32) {
        for (int y = 0; y < a.height; ++y)
            memcpy(im->pixels + (size_t)y * a.width, tampon->data + (size_t)y * tampon->bytes_per_line,
                   sizeof(unsigned) * (size_t)a.width);
    } else {
        for (int y = 0; y < a.height; ++y)
            for (int c = 0; c < a.width; ++c)
                im->pixels[(size_t)y * a.width + c] = (unsigned)XGetPixel(tampon, c, y);
    }
    return 1;
}

int main(int argc, char **argv)
{
    int rang = 1;
    double delai = 20, repos = 1000;
    int i = 1;
    for (; i < argc; ++i) {
        if (!strcmp(argv[i], "-n") && i + 1 < argc)
            rang = atoi(argv[++i]);
        else if (!strcmp(argv[i], "-t") && i + 1 < argc)
            delai = atof(argv[++i]);
        else if (!strcmp(argv[i], "-r") && i + 1 < argc)
            repos = atof(argv[++i]);
        else if (!strcmp(argv[i], "--")) {
            ++i;
            break;
        } else
            break;
    }
    if (i >= argc) {
        fprintf(stderr, "usage : premiere_image [-n N] [-t SECONDES] [-r MS] -- PROGRAMME ARGUMENTS...\n");
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
    int damageEvenement, damageErreur, majeur, mineur;
    Bool pixmaps;
    if (!XDamageQueryExtension(d, &damageEvenement, &damageErreur)
        || !XShmQueryVersion(d, &majeur, &mineur, &pixmaps)) {
        fprintf(stderr, "premiere_image : le serveur X n'a pas DAMAGE et MIT-SHM\n");
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
    Damage dommages = 0;
    int vues = 0;
    double carte = -1, image = -1, dernierChangement = -1;
    while (maintenant_ms() - debut < delai * 1000) {
        int aLire = 0;
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (cible && e.type == damageEvenement + XDamageNotify
                && ((XDamageNotifyEvent *)&e)->drawable == cible) {
                aLire = 1;
                continue;
            }
            /* A window taken down before it settled (a program that restarts
             * itself on a first start): the next one counts. */
            if (cible
                && ((e.type == UnmapNotify && e.xunmap.window == cible)
                    || (e.type == DestroyNotify && e.xdestroywindow.window == cible))) {
                if (e.type == UnmapNotify)
                    XDamageDestroy(d, dommages);
                cible = 0;
                rang = vues + 1;
                oublier_images();
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
                dommages = XDamageCreate(d, cible, XDamageReportNonEmpty);
            }
        }
        /* Read when drawn, not as it appears: the program is then busy
         * answering the server. A window that never draws is read once. */
        if (cible && !nb_images && maintenant_ms() - debut - carte > 100)
            aLire = 1;
        Image im;
        if (aLire && cible) {
            /* Drawing after this point is reported again. */
            XDamageSubtract(d, dommages, None, None);
            if (lire(d, cible, &im)) {
                const Image *avant = nb_images ? &images[nb_images - 1] : NULL;
                const long n = avant ? ecart(&im, avant) : -1;
                if (n == 0 || nb_images == MAX_IMAGES)
                    free(im.pixels);
                else
                    images[nb_images++] = im;
                if (n < 0 || n > tolerance(&im))
                    dernierChangement = im.quand;
            }
        }
        if (nb_images && maintenant_ms() - dernierChangement >= repos)
            break; /* settled */
        if (waitpid(enfant, NULL, WNOHANG) == enfant)
            break;
        /* Sleep until the server says something, waking now and then to see
         * whether the window settled or the program ended. */
        if (!XPending(d)) {
            fd_set lecture;
            FD_ZERO(&lecture);
            FD_SET(ConnectionNumber(d), &lecture);
            struct timeval attente = {0, 10000};
            select(ConnectionNumber(d) + 1, &lecture, NULL, NULL, &attente);
        }
    }
    if (nb_images && maintenant_ms() - dernierChangement >= repos) {
        const Image *fin = &images[nb_images - 1];
        for (int k = 0; k < nb_images; ++k) {
            if (ecart(&images[k], fin) <= tolerance(fin)) {
                image = images[k].quand - debut;
                break;
            }
        }
    }
    oublier_images();
    liberer_tampon(d);
    kill(-enfant, SIGTERM);
    for (int k = 0; k < 200 && waitpid(enfant, NULL, WNOHANG) == 0; ++k) {
        struct timespec pause = {0, 10000000};
        nanosleep(&pause, NULL);
    }
    kill(-enfant, SIGKILL);
    waitpid(enfant, NULL, 0);
    XCloseDisplay(d);
    if (image < 0) {
        fprintf(stderr, "premiere_image : aucune fenêtre achevée (carte %.1f ms)\n", carte);
        return 1;
    }
    printf("carte %.1f image %.1f\n", carte, image);
    return 0;
}
