# The problems of a test file, one line each: page, row, before, word, reading, after.
problems() {
    python3 - "$1" <<'PY'
import signal, sys
signal.signal(signal.SIGPIPE, signal.SIG_DFL)
for p, line in enumerate(open(sys.argv[1], encoding="cp932", newline="").read().split("\r\n")):
    if not line:
        continue
    f = line.split(",")
    for row in range(1, 11):
        b = 2 + 4 * (row - 1)
        if f[b + 1]:
            print(p + 1, row, f[b], f[b + 1], f[b + 2], f[b + 3], sep="\t")
PY
}
