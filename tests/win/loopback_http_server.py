#!/usr/bin/env python3
"""Runs one command beside a few HTTP listeners on 127.0.0.1 that stand in for the vendor's
web host, reached through the proxy setting, and records what reaches them.

    loopback_http_server.py COMMAND [ARGS...]

The listeners, each on a port of its own, named to the command through the environment as
"127.0.0.1:PORT":

  NOTIFICATION_TEST_ANSWERING    reads each request, answers "200 OK" with no body, closes
  NOTIFICATION_TEST_STALLING     accepts and reads each request, never answers
  NOTIFICATION_TEST_UNACCEPTING  listens but never accepts, with its queue of waiting
                                 connections already full: a new connection is never
                                 completed, as with a host that has dropped off the network
  NOTIFICATION_TEST_REFUSING     a port reserved but not listening: connections are refused

NOTIFICATION_TEST_RECORDS names a fresh folder (as a Windows path on Wine's Z: drive) where
each request that a listener reads is stored as NNN-LISTENER.request: the raw bytes exactly
as received, the head and whatever followed it within a short watch after the head ended (a
request without a body has nothing after its blank line). A record appears whole (written
under another name, then renamed).

Everything stays on loopback. Every loop is bounded in count and time: the command is ended
after --timeout seconds, the listeners stop with it, each connection is read for at most a
few seconds and 64 KiB, and the script exits with the command's exit code.
"""

import argparse
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

HEAD_LIMIT = 64 * 1024
HEAD_SECONDS = 5.0
BODY_WATCH_SECONDS = 0.3
MAX_CONNECTIONS = 32
ANSWER = b"HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"


class Recorder:
    def __init__(self, folder):
        self.folder = folder
        self.lock = threading.Lock()
        self.count = 0

    def store(self, listener, data):
        with self.lock:
            self.count += 1
            name = "%03d-%s.request" % (self.count, listener)
        temporary = os.path.join(self.folder, name + ".partial")
        with open(temporary, "wb") as stream:
            stream.write(data)
        os.replace(temporary, os.path.join(self.folder, name))


def read_request(connection, stopping):
    """The head up to its blank line, then whatever else arrives during the body watch."""
    data = b""
    deadline = time.monotonic() + HEAD_SECONDS
    connection.settimeout(0.1)
    while b"\r\n\r\n" not in data and len(data) < HEAD_LIMIT and time.monotonic() < deadline:
        if stopping.is_set():
            return data
        try:
            chunk = connection.recv(4096)
        except socket.timeout:
            continue
        except OSError:
            return data
        if not chunk:
            return data
        data += chunk
    watch_end = time.monotonic() + BODY_WATCH_SECONDS
    while len(data) < HEAD_LIMIT and time.monotonic() < watch_end:
        try:
            chunk = connection.recv(4096)
        except socket.timeout:
            continue
        except OSError:
            break
        if not chunk:
            break
        data += chunk
    return data


def serve(listener_name, server, recorder, stopping, answer):
    """Accepts at most MAX_CONNECTIONS connections until stopping is set."""
    server.settimeout(0.1)
    accepted = 0
    held = []
    while not stopping.is_set() and accepted < MAX_CONNECTIONS:
        try:
            connection, _ = server.accept()
        except socket.timeout:
            continue
        except OSError:
            break
        accepted += 1
        held.append(connection)
        threading.Thread(target=handle, args=(listener_name, connection, recorder, stopping, answer),
                         daemon=True).start()
    stopping.wait()
    for connection in held:
        try:
            connection.close()
        except OSError:
            pass


def handle(listener_name, connection, recorder, stopping, answer):
    data = read_request(connection, stopping)
    if answer and data:
        try:
            connection.sendall(ANSWER)
        except OSError:
            pass
    if data:
        recorder.store(listener_name, data)
    if answer:
        try:
            connection.close()
        except OSError:
            pass
    # A stalling listener keeps the connection open, unanswered, until everything stops.


def loopback_socket():
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.bind(("127.0.0.1", 0))
    return server


def address_of(server):
    host, port = server.getsockname()
    return "%s:%d" % (host, port)


def fill_accept_queue(server):
    """Connects to a never-accepting listener until its queue is full, so that the kernel
    drops every further connection attempt unanswered. Returns the connections made."""
    address = server.getsockname()
    fillers = []
    for _ in range(8):
        filler = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        filler.settimeout(0.3)
        try:
            filler.connect(address)
        except (socket.timeout, OSError):
            filler.close()
            return fillers
        fillers.append(filler)
    raise RuntimeError("the accept queue of the never-accepting listener did not fill up")


def windows_path(unix_path):
    # Wine maps the Unix root to drive Z:.
    return "Z:" + unix_path.replace("/", "\\")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--timeout", type=float, default=100.0, help="seconds before the command is ended")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    arguments = parser.parse_args()
    if not arguments.command:
        parser.error("no command to run")

    folder = tempfile.mkdtemp(prefix="notification-records-")
    recorder = Recorder(folder)
    stopping = threading.Event()

    answering = loopback_socket()
    answering.listen(8)
    stalling = loopback_socket()
    stalling.listen(8)
    unaccepting = loopback_socket()
    unaccepting.listen(0)
    fillers = fill_accept_queue(unaccepting)
    refusing = loopback_socket()  # bound, so the port stays ours, but never listening

    threads = [
        threading.Thread(target=serve, args=("answering", answering, recorder, stopping, True), daemon=True),
        threading.Thread(target=serve, args=("stalling", stalling, recorder, stopping, False), daemon=True),
    ]
    for thread in threads:
        thread.start()

    environment = dict(os.environ)
    environment.update({
        "NOTIFICATION_TEST_ANSWERING": address_of(answering),
        "NOTIFICATION_TEST_STALLING": address_of(stalling),
        "NOTIFICATION_TEST_UNACCEPTING": address_of(unaccepting),
        "NOTIFICATION_TEST_REFUSING": address_of(refusing),
        "NOTIFICATION_TEST_RECORDS": windows_path(folder),
    })

    code = 1
    try:
        command = subprocess.Popen(arguments.command, env=environment, start_new_session=True)
        try:
            code = command.wait(timeout=arguments.timeout)
        except subprocess.TimeoutExpired:
            print("loopback_http_server: the command ran over %.0f s and was ended" % arguments.timeout,
                  file=sys.stderr)
            os.killpg(command.pid, signal.SIGKILL)
            command.wait(timeout=10)
            code = 1
    finally:
        stopping.set()
        for thread in threads:
            thread.join(timeout=5)
        for server in [answering, stalling, unaccepting, refusing] + fillers:
            server.close()
        shutil.rmtree(folder, ignore_errors=True)
    return code


if __name__ == "__main__":
    sys.exit(main())
