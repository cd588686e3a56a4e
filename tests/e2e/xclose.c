/* Asks a top-level window to close, as a window manager's close button does:
 * a WM_DELETE_WINDOW ClientMessage of type WM_PROTOCOLS. Under a bare X
 * server there is no window manager to send it, and destroying the window
 * instead would skip the program's own close handling.
 *
 * usage: xclose <window id, decimal or 0x hex>
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s <window id>\n", argv[0]);
        return 2;
    }
    char *end = NULL;
    unsigned long id = strtoul(argv[1], &end, 0);
    if (!end || *end != '\0' || id == 0) {
        fprintf(stderr, "xclose: bad window id '%s'\n", argv[1]);
        return 2;
    }
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "xclose: cannot open display\n");
        return 1;
    }
    Window w = (Window)id;
    Atom protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
    Atom del = XInternAtom(dpy, "WM_DELETE_WINDOW", False);

    /* Only a window that takes part in the protocol is asked this way. */
    Atom *list = NULL;
    int count = 0;
    int supported = 0;
    if (XGetWMProtocols(dpy, w, &list, &count)) {
        for (int i = 0; i < count; ++i)
            if (list[i] == del)
                supported = 1;
        XFree(list);
    }
    if (!supported) {
        fprintf(stderr, "xclose: window 0x%lx does not take WM_DELETE_WINDOW\n", id);
        XCloseDisplay(dpy);
        return 1;
    }

    XEvent ev;
    memset(&ev, 0, sizeof ev);
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = protocols;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = (long)del;
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, w, False, NoEventMask, &ev);
    XSync(dpy, False);
    XCloseDisplay(dpy);
    return 0;
}
