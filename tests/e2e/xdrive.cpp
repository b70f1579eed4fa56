// Drives the X display for the end-to-end test: synthetic pointer and key input through the XTest
// extension, and pixels of the root window.
//
//   xdrive click X Y          left click at screen pixel (X, Y)
//   xdrive type TEXT          types printable ASCII text
//   xdrive key NAME           presses and releases one key by its keysym name (Return, Tab, ...)
//   xdrive down NAME...       presses the keys in order and holds them (Shift_L Control_L)
//   xdrive up NAME...         releases the keys in order
//   xdrive pixel X Y          prints the pixel as RRGGBB
//   xdrive shot FILE          writes the whole screen as a binary PPM
//   xdrive windows            prints the number of mapped top-level windows
//   xdrive close              asks every mapped top-level window to close (the window manager's
//                             delete request); prints how many were asked
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

void Pause()
{
    usleep(30 * 1000);
}

void Key(Display* d, KeySym sym, bool shift)
{
    const KeyCode code = XKeysymToKeycode(d, sym);
    const KeyCode shiftCode = XKeysymToKeycode(d, XK_Shift_L);
    if (shift)
        XTestFakeKeyEvent(d, shiftCode, True, 0);
    XTestFakeKeyEvent(d, code, True, 0);
    XTestFakeKeyEvent(d, code, False, 0);
    if (shift)
        XTestFakeKeyEvent(d, shiftCode, False, 0);
    XFlush(d);
    Pause();
}

int Usage()
{
    std::fprintf(
        stderr,
        "usage: xdrive click X Y | type TEXT | key NAME | down NAME... | up NAME... | pixel X "
        "Y | shot FILE | windows | close\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "xdrive: no display\n");
        return 1;
    }
    const std::string command = argv[1];
    const Window root = DefaultRootWindow(d);
    int result = 0;
    if (command == "click" && argc == 4) {
        XTestFakeMotionEvent(d, -1, std::atoi(argv[2]), std::atoi(argv[3]), 0);
        XFlush(d);
        Pause();
        XTestFakeButtonEvent(d, 1, True, 0);
        XFlush(d);
        Pause();
        XTestFakeButtonEvent(d, 1, False, 0);
        XFlush(d);
        Pause();
    } else if (command == "type" && argc == 3) {
        for (const char* p = argv[2]; *p; ++p) {
            const char c = *p;
            const bool shift = (c >= 'A' && c <= 'Z');
            Key(d, static_cast<KeySym>(shift ? c - 'A' + 'a' : c), shift);
        }
    } else if (command == "key" && argc == 3) {
        const KeySym sym = XStringToKeysym(argv[2]);
        if (sym == NoSymbol) {
            std::fprintf(stderr, "xdrive: no key %s\n", argv[2]);
            result = 2;
        } else {
            Key(d, sym, false);
        }
    } else if ((command == "down" || command == "up") && argc >= 3) {
        const bool press = command == "down";
        for (int i = 2; i < argc && result == 0; ++i) {
            const KeySym sym = XStringToKeysym(argv[i]);
            const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(d, sym);
            if (!code) {
                std::fprintf(stderr, "xdrive: no key %s\n", argv[i]);
                result = 2;
                break;
            }
            XTestFakeKeyEvent(d, code, press ? True : False, 0);
            XFlush(d);
            Pause();
        }
    } else if (command == "pixel" && argc == 4) {
        XImage* image =
            XGetImage(d, root, std::atoi(argv[2]), std::atoi(argv[3]), 1, 1, AllPlanes, ZPixmap);
        if (!image) {
            result = 1;
        } else {
            std::printf("%06lX\n", XGetPixel(image, 0, 0) & 0xFFFFFF);
            XDestroyImage(image);
        }
    } else if (command == "shot" && argc == 3) {
        XWindowAttributes attributes;
        XGetWindowAttributes(d, root, &attributes);
        XImage* image =
            XGetImage(d, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
        FILE* file = image ? std::fopen(argv[2], "wb") : nullptr;
        if (!file) {
            result = 1;
        } else {
            std::fprintf(file, "P6\n%d %d\n255\n", attributes.width, attributes.height);
            for (int y = 0; y < attributes.height; ++y)
                for (int x = 0; x < attributes.width; ++x) {
                    const unsigned long p = XGetPixel(image, x, y);
                    const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                                  static_cast<unsigned char>(p >> 8),
                                                  static_cast<unsigned char>(p)};
                    std::fwrite(rgb, 1, 3, file);
                }
            std::fclose(file);
        }
        if (image)
            XDestroyImage(image);
    } else if (command == "windows" && argc == 2) {
        Window rootOut, parent;
        Window* children = nullptr;
        unsigned int count = 0;
        int mapped = 0;
        if (XQueryTree(d, root, &rootOut, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count; ++i) {
                XWindowAttributes a;
                if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable)
                    ++mapped;
            }
            XFree(children);
        }
        std::printf("%d\n", mapped);
    } else if (command == "close" && argc == 2) {
        const Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
        const Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
        Window rootOut, parent;
        Window* children = nullptr;
        unsigned int count = 0;
        int asked = 0;
        if (XQueryTree(d, root, &rootOut, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count; ++i) {
                XWindowAttributes a;
                if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable)
                    continue;
                XEvent event{};
                event.xclient.type = ClientMessage;
                event.xclient.window = children[i];
                event.xclient.message_type = protocols;
                event.xclient.format = 32;
                event.xclient.data.l[0] = static_cast<long>(deleteWindow);
                event.xclient.data.l[1] = CurrentTime;
                XSendEvent(d, children[i], False, NoEventMask, &event);
                ++asked;
            }
            XFree(children);
        }
        XFlush(d);
        std::printf("%d\n", asked);
    } else {
        result = Usage();
    }
    XCloseDisplay(d);
    return result;
}
