# Samples a rectangle of Xvfb's framebuffer file (an XWD image) for the end-to-end test: keeps every frame
# that differs from the one before, writes each as a PPM picture and prints, per frame, its index, its
# time in ms, the filled columns of pixel row 3 (in the progress bar's style 4 the gradient's colours are
# the only ones that are not grey) and the first and last gradient colours. It ends after one frame
# ("once"), or once the bar has been full and unchanged for 1.5 s, or at its deadline.
# Usage: pb-sample.py FRAMEBUFFER X Y W H OUT_PREFIX SECONDS once|run
import struct, sys, time
fb, X, Y, W, H, out, limit, once = sys.argv[1], *map(int, sys.argv[2:6]), sys.argv[6], float(sys.argv[7]), sys.argv[8] == "once"
def header(f):
    raw = f.read(100)
    for order in ">", "<":
        fields = struct.unpack(order + "25I", raw)
        if fields[0] < 4096:
            return fields
fh = open(fb, "rb")
h = header(fh)
offset, bpl, lsb = h[0] + h[19] * 12, h[12], h[7] == 0
def grab():
    rows = []
    for y in range(Y, Y + H):
        fh.seek(offset + y * bpl + X * 4)
        row = fh.read(W * 4)
        rows.append(bytes(row[i + (2 - c if lsb else 1 + c)] for i in range(0, W * 4, 4) for c in range(3)))
    return rows
def measure(rows):
    row = rows[3]
    px = [tuple(row[i:i + 3]) for i in range(0, len(row), 3)]
    filled = [x for x, p in enumerate(px) if p[0] != p[2]]
    return len(filled), (px[filled[0]] if filled else None), (px[filled[-1]] if filled else None)
start, last, n, full_since = time.time(), None, 0, None
while True:
    # Xvfb writes the file while we read it: a frame counts only when two reads in a row agree.
    rows = grab()
    while rows != (again := grab()):
        rows = again
    now = time.time() - start
    if rows != last:
        last = rows
        filled, first, end = measure(rows)
        with open("%s-%02d.ppm" % (out, n), "wb") as f:
            f.write(b"P6 %d %d 255\n" % (W, H) + b"".join(rows))
        print(n, int(now * 1000), filled, "%d,%d,%d" % first if first else "-", "%d,%d,%d" % end if end else "-", flush=True)
        n += 1
        full_since = (now if full_since is None else full_since) if filled == W - 3 else None
    if once or now > limit or (full_since is not None and now - full_since > 1.5):
        break
    time.sleep(0.004)
