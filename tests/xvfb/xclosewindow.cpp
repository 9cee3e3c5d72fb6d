// Waits for a top-level window with the given title to be shown, then asks it
// to close the way a window manager's close box does (WM_DELETE_WINDOW).
//   xclosewindow TITLE TIMEOUT_SECONDS [EARLIEST_SECONDS]
// Fails when the window does not appear in time, or appears before
// EARLIEST_SECONDS have passed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::string textProperty(Display *display, Window window, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type, &format, &items,
                           &remaining, &data) == Success &&
        data && format == 8)
        text.assign(reinterpret_cast<const char *>(data), items);
    if (data)
        XFree(data);
    return text;
}

bool isViewable(Display *display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

Window findWindow(Display *display, Window parent, const std::string &title, Atom netWmName)
{
    Window root = 0;
    Window parentOfParent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &parentOfParent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        const Window child = children[i];
        if ((textProperty(display, child, XA_WM_NAME) == title ||
             textProperty(display, child, netWmName) == title) &&
            isViewable(display, child))
            found = child;
        else
            found = findWindow(display, child, title, netWmName);
    }
    if (children)
        XFree(children);
    return found;
}

// The splash window goes away while the tree is searched; asking about a
// window that has just been destroyed is then not an error worth ending for.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE TIMEOUT_SECONDS [EARLIEST_SECONDS]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    const double timeout = std::atof(argv[2]);
    const double earliest = argc > 3 ? std::atof(argv[3]) : 0.0;

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xclosewindow: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignoreXError);
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);

    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    Window window = 0;
    while (!(window = findWindow(display, DefaultRootWindow(display), title, netWmName))) {
        if (elapsed() > timeout) {
            std::fprintf(stderr, "xclosewindow: no window \"%s\" after %.1f s\n", title.c_str(), timeout);
            XCloseDisplay(display);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const double shownAfter = elapsed();
    std::printf("xclosewindow: window \"%s\" shown after %.1f s\n", title.c_str(), shownAfter);
    if (shownAfter < earliest) {
        std::fprintf(stderr, "xclosewindow: the window came before %.1f s\n", earliest);
        XCloseDisplay(display);
        return 1;
    }

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return 0;
}
