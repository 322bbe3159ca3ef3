#!/usr/bin/env python3
# Runs inside the terminal being captured: the terminal in raw mode, the
# box's own set-up written, then for each key name the driver sends (after
# pressing that key) the bytes the key brought, as one line of the corpus.
import os, select, sys, termios, tty

setup, control, acknowledge, output = sys.argv[1:5]
saved = termios.tcgetattr(0)
tty.setraw(0)
os.write(1, setup.encode().decode('unicode_escape').encode('latin-1'))
try:
    with open(control) as names, open(output, 'a') as corpus:
        for name in names:
            name = name.strip()
            data = b''
            while select.select([0], [], [], 0.05)[0]:
                data += os.read(0, 4096)
            if name != 'warm-up' and data:  # a key the terminal kept sends nothing
                corpus.write(f'{name}\t{data.hex()}\n')
                corpus.flush()
            with open(acknowledge, 'w') as ack:
                ack.write('ok\n')
finally:
    termios.tcsetattr(0, termios.TCSANOW, saved)
