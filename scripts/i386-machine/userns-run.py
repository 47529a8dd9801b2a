#!/usr/bin/env python3
"""Runs a command as root of a private user and mount namespace that maps the host's ids
0-65535 onto themselves, so that a binfmt_misc instance mounted inside it (Linux 6.7 and
later) serves only this command and its children and the machine's own registrations are
never touched. Must be started as root: only root may map more ids than its own.

    userns-run.py COMMAND [ARG...]
"""
import ctypes
import os
import sys

CLONE_NEWNS = 0x00020000
CLONE_NEWUSER = 0x10000000
ID_MAP = "0 0 65536\n"


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: userns-run.py COMMAND [ARG...]")
    if os.geteuid() != 0:
        sys.exit("userns-run: must run as root to map the ids of a root file system")
    libc = ctypes.CDLL(None, use_errno=True)
    unshared_r, unshared_w = os.pipe()
    mapped_r, mapped_w = os.pipe()
    child = os.fork()
    if child == 0:
        os.close(unshared_r)
        os.close(mapped_w)
        if libc.unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0:
            print("userns-run: unshare: " + os.strerror(ctypes.get_errno()), file=sys.stderr)
            os._exit(125)
        os.write(unshared_w, b"u")
        os.close(unshared_w)
        # The parent writes the id maps from outside, since a namespace may map more than
        # its creator's own id only from its parent namespace.
        if os.read(mapped_r, 1) != b"m":
            os._exit(125)
        os.setgid(0)
        os.setuid(0)
        try:
            os.execvp(sys.argv[1], sys.argv[1:])
        except OSError as error:
            print(f"userns-run: {sys.argv[1]}: {error}", file=sys.stderr)
            os._exit(127)
    os.close(unshared_w)
    os.close(mapped_r)
    if os.read(unshared_r, 1) != b"u":
        os.waitpid(child, 0)
        sys.exit("userns-run: the namespace could not be made")
    for name in ("uid_map", "gid_map"):
        with open(f"/proc/{child}/{name}", "w") as id_map:
            id_map.write(ID_MAP)
    os.write(mapped_w, b"m")
    _, status = os.waitpid(child, 0)
    sys.exit(os.waitstatus_to_exitcode(status))


if __name__ == "__main__":
    main()
