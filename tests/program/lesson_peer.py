#!/usr/bin/env python3
"""A peer of a hosted lesson with nothing but the standard library, for the namespace test.

  lesson_peer.py play HOST PORT CODE     joins as a pupil, picks once, prints the verdict's kind
  lesson_peer.py outside HOST PORT CODE  asks for the page and tries to join; prints what the
                                         host said back ("nothing" when it only closed)
Every wait is bounded; exits 1 when the host answers otherwise than the mode expects.
"""
import base64
import json
import os
import socket
import struct
import sys

WAIT_SECONDS = 20  # a bound for a loaded machine, never a measure


def connect(host, port):
    return socket.create_connection((host, port), timeout=WAIT_SECONDS)


def upgrade(sock, host, port):
    key = base64.b64encode(os.urandom(16)).decode()
    sock.sendall((f"GET /lesson HTTP/1.1\r\nHost: {host}:{port}\r\nUpgrade: websocket\r\n"
                  f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                  "Sec-WebSocket-Version: 13\r\n\r\n").encode())
    head = b""
    while b"\r\n\r\n" not in head:
        chunk = sock.recv(4096)
        if not chunk:
            return head
        head += chunk
    return head


def send_text(sock, message):
    payload = json.dumps(message).encode()
    mask = os.urandom(4)
    if len(payload) < 126:
        header = struct.pack("!BB", 0x81, 0x80 | len(payload))
    else:
        header = struct.pack("!BBH", 0x81, 0x80 | 126, len(payload))
    sock.sendall(header + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(payload)))


def read_exactly(sock, count):
    data = b""
    while len(data) < count:
        chunk = sock.recv(count - len(data))
        if not chunk:
            raise ConnectionError("closed")
        data += chunk
    return data


def receive(sock):
    """The next text message as JSON; None for a close."""
    first, second = read_exactly(sock, 2)
    length = second & 0x7F
    if length == 126:
        length = struct.unpack("!H", read_exactly(sock, 2))[0]
    elif length == 127:
        length = struct.unpack("!Q", read_exactly(sock, 8))[0]
    payload = read_exactly(sock, length)
    return None if first & 0x0F == 0x8 else json.loads(payload)


def join(sock, code, device):
    send_text(sock, {"kind": "join", "name": "Ученик " + device, "code": code,
                     "device": device, "decimal": ","})


def play(host, port, code):
    sock = connect(host, port)
    if not upgrade(sock, host, port).startswith(b"HTTP/1.1 101"):
        print("no WebSocket upgrade")
        return 1
    join(sock, code, "loopback")
    joined, turn = receive(sock), receive(sock)
    if not joined or joined.get("kind") != "joined" or not turn or turn.get("kind") != "turn":
        print("not joined:", joined, turn)
        return 1
    send_text(sock, {"kind": "pick", "token": joined["token"], "turn": turn["turn"], "side": 0})
    judged = receive(sock)
    print(judged.get("kind") if judged else "closed")
    return 0 if judged and judged.get("kind") == "judged" else 1


def said_back(sock, attempt):
    """What the host sent before closing: its bytes, or b"" for none (a reset counts as none).
    The connection itself must be made: a peer that cannot reach the host proves nothing."""
    try:
        return attempt(sock)
    except (ConnectionError, OSError):
        return b""


def outside(host, port, code):
    def page(sock):
        sock.sendall(b"GET / HTTP/1.1\r\nHost: x\r\n\r\n")
        return sock.recv(4096)

    def lesson(sock):
        head = upgrade(sock, host, port)
        if head:
            return head
        join(sock, code, "outside")
        return sock.recv(4096)

    answers = [said_back(connect(host, port), attempt) for attempt in (page, lesson)]
    print(" | ".join(repr(a[:40]) if a else "nothing" for a in answers))
    return 0 if not any(answers) else 1


def main(argv):
    if len(argv) != 5 or argv[1] not in ("play", "outside"):
        print(__doc__, file=sys.stderr)
        return 2
    mode, host, port, code = argv[1], argv[2], int(argv[3]), argv[4]
    return (play if mode == "play" else outside)(host, port, code)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
