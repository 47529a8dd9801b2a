#!/bin/sh
# The emulated i386 machine's first process. It mounts what a Wine session needs, mounts
# the host's folders shared over 9p at the same paths they have on the host (so paths built
# into the test programs hold inside too), runs the session script named on the kernel
# command line and powers the machine off. Its settings are name=value words of the kernel
# command line (share_src, share_build, session and the session's own settings).
PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
export PATH HOME=/root LANG=C.UTF-8
mount -t proc proc /proc 2>/dev/null
# Read from the command line itself: what reaches this process as environment depends on
# the initramfs. Module parameters (with a dot in the name) are left alone.
for word in $(cat /proc/cmdline); do
  case "$word" in
    *.*=*) ;;
    [a-z]*_*=*|session=*) export "$word" ;;
  esac
done
mount -t sysfs sysfs /sys 2>/dev/null
mount -t devtmpfs devtmpfs /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
hostname i386-guest
ip link set lo up
modprobe 9pnet_virtio
modprobe 9p
status=1
for share in src build; do
  eval dir=\$share_$share
  [ -n "$dir" ] || continue
  mkdir -p "$dir"
  mount -t 9p -o trans=virtio,version=9p2000.L,msize=1048576,cache=none "$share" "$dir" ||
    echo "guest-init: cannot mount the shared folder $dir" >&2
done
if [ -n "$session" ] && [ -f "$session" ]; then
  sh "$session"
  status=$?
else
  echo "guest-init: no session script '$session'" >&2
fi
echo "guest-init: session ended with status $status"
sync
echo 1 > /proc/sys/kernel/sysrq
echo o > /proc/sysrq-trigger
sleep 30
