"""Lines a second of the Python package on a chat file, one thread, in CPU time (the
machine may be shared). Usage: python3 python_speed.py WORDS CHAT"""

import sys
import time

from chatsieve import Filter


def lines_per_second(job, lines, seconds=1.5):
    """Calls `job` on all the lines, over and over for about `seconds`, after a warm-up."""

    def run(limit):
        start = time.thread_time()
        done = 0
        while time.thread_time() - start < limit:
            for line in lines:
                job(line)
            done += len(lines)
        return done / (time.thread_time() - start)

    run(0.3)
    return run(seconds)


def main(words_path, chat_path):
    with open(chat_path, encoding="utf-8") as chat:
        lines = chat.read().split("\n")[:-1]
    screen = Filter(path=words_path)
    jobs = [("check", screen.check), ("mask", screen.mask), ("find", screen.find)]
    for name, job in jobs:
        listed = sum(1 for line in lines[:1000] if job(line) not in (False, [], line))
        rate = lines_per_second(job, lines)
        print(f"chatsieve {name:<24} {rate:10.0f} lines/s  ({listed} of 1000 listed)")


if __name__ == "__main__":
    main(*sys.argv[1:])
