#!/usr/bin/env python3
"""A print server for the networking tests: the discovery responder on UDP and the
HTTP answers to /getqueuelist.php and /getripdetails.php, each of which a test can make
misbehave. Test code only. It listens only on the addresses it is told, and the tests
run it on loopback inside a network namespace of their own.

A test drives it over a line-based control connection (TCP, 127.0.0.1, --control):
each line is one JSON command, each answer one line of text.

  {"cmd": "config", "udp": [REPLY...], "hosts": {"127.0.0.2": HOST, ...}}   -> "ok"
      Replaces the whole behaviour and forgets what was logged.
  {"cmd": "probes"}                  -> "N HEX..."  the datagrams received on UDP
  {"cmd": "requests", "host": ADDR}  -> "N HEX..."  the bytes of each HTTP request
  {"cmd": "accepted", "host": ADDR}  -> "N"         connections accepted there

REPLY (sent to the probe's sender for each probe received):
  {"addr": "127.0.0.2", "length": 38, "byte14": 0, "head": "TAVIK Quorvane",
   "probes": [1, 2], "count": 1}
  length cuts or pads the 38-byte layout; probes names the probe numbers answered
  (all when absent); count sends the reply that many times.

HOST (an HTTP server on ADDR port --http-port):
  {"queues": ANSWER, "details": ANSWER, "refuse_after": N}
  refuse_after: after N accepted connections the listener closes, so later
  connections are refused.
ANSWER:
  {"status": "200 OK", "body": "...", "item": "...", "repeat": N, "tail": "...",
   "raw": false, "mode": "normal" | "silent" | "close_early" | "trickle",
   "close_after": BYTES, "trickle_ms": MS, "forever": false}
  The body is body + item * repeat + tail, each text taken as Latin-1 bytes (so
  "\\u00e9" is the byte 0xE9 and "\\u0000" a zero byte). raw sends the body without
  status line and headers. silent sends nothing and holds the connection; close_early
  sends close_after bytes and closes; trickle sends one byte each trickle_ms, and with
  forever starts over at the end.
"""
import argparse
import json
import socket
import threading
import time

HOLD_LIMIT_S = 60  # no connection is held longer than this


def close_listener(sock):
    # shutdown wakes a thread blocked in accept, so the address is free at once.
    try:
        sock.shutdown(socket.SHUT_RDWR)
    except OSError:
        pass
    sock.close()


def listen_on(addr, port):
    end = time.monotonic() + 2
    while True:
        sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        try:
            sock.bind((addr, port))
            sock.listen(16)
            return sock
        except OSError:
            sock.close()
            if time.monotonic() > end:
                raise
            time.sleep(0.05)


class PrintServer:
    def __init__(self, args):
        self.args = args
        self.lock = threading.Lock()
        self.udp_replies = []
        self.hosts = {}
        self.probes = []
        self.requests = {}
        self.accepted = {}
        self.listeners = {}
        self.generation = 0

    # ---- discovery responder -------------------------------------------------
    def build_reply(self, setting):
        head = setting.get("head", "TAVIK Quorvane").encode("latin-1")
        data = bytearray(b"\x00" * 38)
        data[0:len(head)] = head[:38]
        if len(head) <= 14:
            data[14] = setting.get("byte14", 0) & 0xFF
        data[15:21] = b"Vrik01"
        octets = [int(x) for x in setting.get("addr", "127.0.0.1").split(".")]
        data[21:25] = bytes(octets)
        data[25:38] = b"TAVIK-testsrv"
        length = setting.get("length", 38)
        if length <= 38:
            return bytes(data[:length])
        return bytes(data) + b"x" * (length - 38)

    def udp_loop(self, sock):
        number = 0
        while True:
            data, sender = sock.recvfrom(2048)
            with self.lock:
                number += 1
                self.probes.append(data)
                replies = list(self.udp_replies)
            for setting in replies:
                if "probes" in setting and number not in setting["probes"]:
                    continue
                for _ in range(setting.get("count", 1)):
                    sock.sendto(self.build_reply(setting), sender)

    # ---- HTTP ----------------------------------------------------------------
    def answer_bytes(self, setting):
        body = setting.get("body", "") + setting.get("item", "") * setting.get("repeat", 0) + setting.get("tail", "")
        body = body.encode("latin-1")
        if setting.get("raw"):
            return body
        head = "HTTP/1.0 %s\r\nContent-Type: text/xml\r\nConnection: close\r\n\r\n" % setting.get("status", "200 OK")
        return head.encode("latin-1") + body

    def read_request(self, conn):
        conn.settimeout(5)
        data = b""
        while b"\r\n\r\n" not in data and len(data) < 65536:
            chunk = conn.recv(4096)
            if not chunk:
                return data
            data += chunk
        # Whatever the client sends right after the empty line belongs to its request too.
        conn.settimeout(0.1)
        try:
            while len(data) < 65536:
                chunk = conn.recv(4096)
                if not chunk:
                    break
                data += chunk
        except (socket.timeout, OSError):
            pass
        return data

    def hold(self, conn):
        conn.settimeout(0.2)
        end = time.monotonic() + HOLD_LIMIT_S
        while time.monotonic() < end:
            try:
                if not conn.recv(4096):
                    return
            except socket.timeout:
                continue
            except OSError:
                return

    def serve(self, conn, addr, host):
        try:
            request = self.read_request(conn)
            with self.lock:
                self.requests.setdefault(addr, []).append(request)
            line = request.split(b"\r\n", 1)[0].split(b" ")
            path = line[1].decode("latin-1") if len(line) > 1 else ""
            setting = {"/getqueuelist.php": host.get("queues"),
                    "/getripdetails.php": host.get("details")}.get(path)
            if setting is None:
                setting = {"status": "404 Not Found"}
            data = self.answer_bytes(setting)
            mode = setting.get("mode", "normal")
            conn.settimeout(10)
            if mode == "silent":
                self.hold(conn)
            elif mode == "close_early":
                conn.sendall(data[:setting.get("close_after", 0)])
            elif mode == "trickle":
                delay = setting.get("trickle_ms", 50) / 1000.0
                end = time.monotonic() + HOLD_LIMIT_S
                while time.monotonic() < end:
                    for i in range(len(data)):
                        conn.sendall(data[i:i + 1])
                        time.sleep(delay)
                    if not setting.get("forever"):
                        break
            else:
                conn.sendall(data)
        except OSError:
            pass  # the client went away; that is its right
        finally:
            try:
                conn.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            conn.close()

    def accept_loop(self, sock, addr, host, generation):
        refuse_after = host.get("refuse_after")
        while True:
            try:
                conn, _ = sock.accept()
            except OSError:
                return
            with self.lock:
                if generation != self.generation:
                    conn.close()
                    return
                self.accepted[addr] = self.accepted.get(addr, 0) + 1
                count = self.accepted[addr]
            if refuse_after is not None and count >= refuse_after:
                with self.lock:
                    if self.listeners.get(addr) is sock:
                        del self.listeners[addr]
                close_listener(sock)  # later connections to this address are refused
            threading.Thread(target=self.serve, args=(conn, addr, host), daemon=True).start()

    def configure(self, command):
        with self.lock:
            self.generation += 1
            generation = self.generation
            for sock in self.listeners.values():
                close_listener(sock)
            self.listeners = {}
            self.udp_replies = command.get("udp", [])
            self.hosts = command.get("hosts", {})
            self.probes = []
            self.requests = {}
            self.accepted = {}
            for addr, host in self.hosts.items():
                sock = listen_on(addr, self.args.http_port)
                self.listeners[addr] = sock
                threading.Thread(target=self.accept_loop, args=(sock, addr, host, generation),
                                 daemon=True).start()

    # ---- control -------------------------------------------------------------
    def control_command(self, line):
        command = json.loads(line)
        cmd = command.get("cmd")
        if cmd == "config":
            self.configure(command)
            return "ok"
        with self.lock:
            if cmd == "probes":
                items = self.probes
            elif cmd == "requests":
                items = self.requests.get(command.get("host"), [])
            elif cmd == "accepted":
                return str(self.accepted.get(command.get("host"), 0))
            else:
                return "error unknown command"
            return " ".join([str(len(items))] + [item.hex() for item in items])

    def control_loop(self, conn):
        with conn:
            stream = conn.makefile("rwb")
            for line in stream:
                try:
                    answer = self.control_command(line.decode("utf-8"))
                except Exception as error:  # a broken command is the test's fault: say so
                    answer = "error " + repr(error).replace("\n", " ")
                stream.write((answer + "\n").encode("utf-8"))
                stream.flush()

    def run(self):
        udp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        udp.bind((self.args.udp_address, self.args.udp_port))
        threading.Thread(target=self.udp_loop, args=(udp,), daemon=True).start()
        control = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        control.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        control.bind(("127.0.0.1", self.args.control))
        control.listen(4)
        control.settimeout(0.5)
        if self.args.ready_file:
            with open(self.args.ready_file, "w") as f:
                f.write("ready\n")
        end = time.monotonic() + self.args.max_seconds
        while time.monotonic() < end:
            try:
                conn, _ = control.accept()
            except socket.timeout:
                continue
            conn.settimeout(None)
            threading.Thread(target=self.control_loop, args=(conn,), daemon=True).start()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--control", type=int, default=2290)
    parser.add_argument("--udp-port", type=int, default=2288)
    parser.add_argument("--udp-address", default="0.0.0.0")
    parser.add_argument("--http-port", type=int, default=80)
    parser.add_argument("--ready-file")
    parser.add_argument("--max-seconds", type=float, default=300)
    PrintServer(parser.parse_args()).run()


if __name__ == "__main__":
    main()
