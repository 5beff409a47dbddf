/* Times the real program from exec to its window appearing on the X
 * server (the MapNotify of its top-level window), with no polling: the
 * server tells us. The program is then ended with SIGTERM.
 *
 *     bench_window_map PROGRAM
 *
 * Prints "window_map MILLISECONDS". The window is mapped when the game's
 * window is shown, before its textures and font are made and its first
 * frame is drawn; the benchmark's in-process start-up run times that.
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double nowMilliseconds(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6;
}

/* Whether the window (or a child of it) is the game's: its name is "Trigonix". */
static int isGameWindow(Display* display, Window window)
{
    char* name = NULL;
    int game = 0;
    if (XFetchName(display, window, &name) && name != NULL) {
        game = strcmp(name, "Trigonix") == 0;
        XFree(name);
    }
    return game;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: bench_window_map PROGRAM\n");
        return 2;
    }
    /* A busy X server may refuse the first connection: try again as the
     * game itself does, a few times a little apart. */
    Display* display = XOpenDisplay(NULL);
    for (int retry = 0; display == NULL && retry < 5; ++retry) {
        struct timespec pause = {0, 20 * 1000 * 1000};
        nanosleep(&pause, NULL);
        display = XOpenDisplay(NULL);
    }
    if (display == NULL) {
        fprintf(stderr, "bench_window_map: cannot open the display\n");
        return 1;
    }
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    double start = nowMilliseconds();
    pid_t child = fork();
    if (child < 0)
        return 1;
    if (child == 0) {
        execl(argv[1], argv[1], (char*)NULL);
        _exit(127);
    }

    int found = 0;
    double mapped = 0.0;
    int connection = ConnectionNumber(display);
    while (!found && nowMilliseconds() - start < 10000.0) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && isGameWindow(display, event.xmap.window)) {
                mapped = nowMilliseconds();
                found = 1;
                break;
            }
        }
        if (found)
            break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            fprintf(stderr, "bench_window_map: the program ended before its window appeared\n");
            return 1;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(connection, &readable);
        struct timeval wait = {0, 50000};
        select(connection + 1, &readable, NULL, NULL, &wait);
    }

    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    XCloseDisplay(display);
    if (!found) {
        fprintf(stderr, "bench_window_map: no window appeared\n");
        return 1;
    }
    printf("window_map %.3f\n", mapped - start);
    return 0;
}
