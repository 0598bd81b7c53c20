#!/usr/bin/env python3
"""Hostile clients against a running `chatsieve serve`, all on loopback, each phase
bounded in time: thousands of idle connections, slow senders of request heads, and
half-sent bodies. Meanwhile a well-behaved client keeps asking; reports its latencies,
how many hostile connections the service still holds, and the service's memory.

usage: hostile_clients.py PORT PID [IDLE] [SLOW]
"""
import socket
import sys
import time

port, pid = int(sys.argv[1]), int(sys.argv[2])
idle_count = int(sys.argv[3]) if len(sys.argv) > 3 else 10000
slow_count = int(sys.argv[4]) if len(sys.argv) > 4 else 2000
REQUEST = (b'POST /v1/check HTTP/1.1\r\nHost: x\r\nContent-Length: 15\r\n\r\n'
           b'{"text":"bad"}\n')


def memory():
    with open(f"/proc/{pid}/status") as status:
        return next(line.split()[1] + " kB" for line in status if line.startswith("VmRSS"))


def connect():
    s = socket.socket()
    s.connect(("127.0.0.1", port))
    return s


def polite_latency():
    """Milliseconds a fresh client waits for an answer, or None when it got none."""
    start = time.monotonic()
    try:
        with connect() as s:
            s.settimeout(5)
            s.sendall(REQUEST)
            return (time.monotonic() - start) * 1000 if s.recv(4096).startswith(b"HTTP/1.1 200") else None
    except OSError:
        return None


def is_open(s):
    """Whether the service has not closed the socket; what it answered is read and dropped."""
    s.setblocking(False)
    try:
        while s.recv(65536):
            pass
        return False
    except BlockingIOError:
        return True
    except OSError:
        return False


def still_open(sockets):
    return sum(is_open(s) for s in sockets)


def report(phase, sockets, latencies):
    served = [latency for latency in latencies if latency is not None]
    worst = f"{max(served):.1f} ms" if served else "-"
    print(f"{phase}: {len(served)}/{len(latencies)} polite requests answered, worst {worst}; "
          f"hostile connections still open {still_open(sockets)}/{len(sockets)}; service RSS {memory()}")


print(f"service RSS at start {memory()}")
idle = []
for _ in range(idle_count):
    idle.append(connect())
report(f"{idle_count} idle connections", idle, [polite_latency() for _ in range(20)])
time.sleep(11)
report("idle connections after 11 s", idle, [polite_latency() for _ in range(20)])
for s in idle:
    s.close()

slow = [connect() for _ in range(slow_count)]
head = b"POST /v1/check HTTP/1.1\r\nHost: x\r\nX-Slow: " + b"a" * 100
latencies = []
for second in range(12):
    for s in slow:
        try:
            s.send(head[second:second + 1])
        except OSError:
            pass
    latencies.append(polite_latency())
    time.sleep(1)
report(f"{slow_count} heads sent a byte a second, 12 s", slow, latencies)
for s in slow:
    s.close()

halves = [connect() for _ in range(200)]
refused = 0
for s in halves:
    try:
        s.sendall(b"POST /v1/check HTTP/1.1\r\nHost: x\r\nContent-Length: 1048576\r\n\r\n" + b"a" * 524288)
    except OSError:
        refused += 1  # answered 503 and closed while the half was still being sent
print(f"half bodies cut short by the service: {refused}")
latencies = [polite_latency() for _ in range(5)]
report("200 bodies half sent, at once", halves, latencies)
time.sleep(11)
report("half-sent bodies after 11 s", halves, [polite_latency() for _ in range(5)])
