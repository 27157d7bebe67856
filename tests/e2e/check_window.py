#!/usr/bin/env python3
"""Checks a screenshot of the tool's window: the client area must be 475 x 207
pixels, white, with the status label along its bottom edge and the memo and
the captions drawn. Prints "client X Y" (the client area's origin in the
image) when the window is right, or "FAIL: reason" and exits 1.

Usage: check_window.py WIDTH HEIGHT RAW_RGB_FILE
"""
import sys

CLIENT_W, CLIENT_H = 475, 207
LABEL_H = 24
WHITE = (255, 255, 255)
LABEL = (231, 231, 231)
MEMO = (187, 235, 244)
MEMO_BOX = (264, 8, 209, 137)     # left, top, width, height in the client area
RADIO_BOX = (8, 8, 241, 137)


def fail(reason):
    print("FAIL: " + reason)
    sys.exit(1)


def main():
    width, height = int(sys.argv[1]), int(sys.argv[2])
    data = open(sys.argv[3], "rb").read()
    if len(data) != width * height * 3:
        fail("image data is %d bytes, expected %d" % (len(data), width * height * 3))

    def px(x, y):
        i = (y * width + x) * 3
        return tuple(data[i:i + 3])

    # The label: the lowest row that holds a run of label grey exactly as wide
    # as the client area is the client area's bottom row.
    bottom = left = None
    for y in range(height - 1, -1, -1):
        run_start, run = None, 0
        for x in range(width + 1):
            if x < width and px(x, y) == LABEL:
                if run == 0:
                    run_start = x
                run += 1
            else:
                if run == CLIENT_W:
                    bottom, left = y, run_start
                    break
                run = 0
        if bottom is not None:
            break
    if bottom is None:
        fail("no status label row %d pixels wide" % CLIENT_W)
    top = bottom - CLIENT_H + 1
    if top < 0:
        fail("window shorter than the client area")

    # The label is 24 rows high: its top row is label grey, the row above it
    # belongs to the white window background.
    label_top = bottom - LABEL_H + 1
    if px(left, label_top) != LABEL or px(left + 1, label_top - 1) != WHITE:
        fail("status label is not %d pixels high" % LABEL_H)

    # White left margin from the client top to the label, bordered by the
    # frame on the left and by the caption above.
    for y in range(top, label_top):
        if px(left + 2, y) != WHITE:
            fail("client column 2 not white at row %d" % (y - top))
    if top > 0 and px(left + 2, top - 1) == WHITE:
        fail("client area taller than %d" % CLIENT_H)
    if left > 0 and px(left - 1, top + 100) == WHITE:
        fail("client area wider than %d on the left" % CLIENT_W)
    if left + CLIENT_W < width and px(left + CLIENT_W, top + 100) == WHITE:
        fail("client area wider than %d on the right" % CLIENT_W)

    # Not blank: the memo shows its colour and dark text, the radio group its
    # captions.
    def count(box, test):
        bx, by, bw, bh = box
        return sum(1 for y in range(top + by, top + by + bh)
                   for x in range(left + bx, left + bx + bw) if test(px(x, y)))

    dark = lambda p: max(p) < 96
    if count(MEMO_BOX, lambda p: p == MEMO) < 209 * 137 // 3:
        fail("memo background missing")
    if count(MEMO_BOX, dark) < 500:
        fail("memo text missing")
    if count(RADIO_BOX, dark) < 300:
        fail("radio group captions missing")
    print("client %d %d" % (left, top))


if __name__ == "__main__":
    main()
