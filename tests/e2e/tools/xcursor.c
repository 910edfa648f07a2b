/* Native X helper for the end-to-end tests: prints the X server's current cursor image (XFixes).
 *
 * Output, one line: width height xhot yhot serial, then the ARGB pixels as
 * hex words, row by row. Wine draws the Windows pointer through the X
 * cursor, so this is what a person sees (screenshots leave the pointer out).
 */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main(void)
{
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "xcursor: cannot open display\n");
        return 2;
    }
    int ev, er;
    if (!XFixesQueryExtension(dpy, &ev, &er)) {
        fprintf(stderr, "xcursor: no XFixes\n");
        return 2;
    }
    XFixesCursorImage *img = XFixesGetCursorImage(dpy);
    if (!img) {
        fprintf(stderr, "xcursor: no cursor image\n");
        return 2;
    }
    printf("%d %d %d %d %lu", img->width, img->height, img->xhot, img->yhot, img->cursor_serial);
    /* pixels are unsigned long even on 64-bit hosts; only the low 32 bits carry ARGB */
    for (int i = 0; i < img->width * img->height; i++)
        printf(" %08lx", img->pixels[i] & 0xffffffffUL);
    printf("\n");
    XFree(img);
    XCloseDisplay(dpy);
    return 0;
}
