#!/usr/bin/env bash
# Builds the emulated i386 Debian machine the 32-bit program is tested in, once per build
# tree: a kernel, a small initramfs and an ext4 disk image holding 32-bit Wine, fonts and
# the guest's first process (guest-init.sh).
#   build-image.sh OUTPUT_DIR
# The image is rebuilt only when this script, guest-init.sh or the package list changes
# (OUTPUT_DIR/stamp). Needs root (the root file system holds files of several owners) and
# Debian's package mirror, as configured for apt on this machine.
set -euo pipefail
out=${1:?output directory}
here=$(cd "$(dirname "$0")" && pwd)

packages=(linux-image-686 initramfs-tools kmod mount iproute2 wine wine32 fonts-wine
          fonts-noto-cjk unzip python3)
scripts=$(cd "$here/.." && pwd)
stamp=$(cat "$here/build-image.sh" "$here/guest-init.sh" "$scripts/make-wine-prefix.sh" "$scripts/wine-loader.sh" |
        sha256sum | cut -d' ' -f1)
if [ -f "$out/stamp" ] && [ "$(cat "$out/stamp")" = "$stamp" ] &&
   [ -f "$out/disk.ext4" ] && [ -f "$out/vmlinuz" ] && [ -f "$out/initrd.img" ]; then
  echo "i386 machine: image is up to date ($out)"
  exit 0
fi
[ "$(id -u)" -eq 0 ] || { echo "build-image: run as root" >&2; exit 1; }
for tool in mmdebstrap qemu-i386-static mkfs.ext4; do
  command -v "$tool" >/dev/null || { echo "build-image: $tool missing; run scripts/install-deps.sh" >&2; exit 1; }
done

# The Debian mirror apt uses here: its deb822 source file when there is one, else the
# main archive. Only Debian's own entries, so other repositories' keys are not needed.
mirror=http://deb.debian.org/debian
for f in /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list; do
  uri=$(grep -hoE '^(URIs:|deb)[[:space:]]+\S+/debian/?([[:space:]]|$)' "$f" 2>/dev/null | head -1 | awk '{print $2}') || true
  if [ -n "$uri" ]; then mirror=$uri; break; fi
done

# The guest's Wine prefix is made here, where 32-bit programs run natively or through
# qemu-i386-static (much faster than in the emulated machine); should that fail, the guest
# makes it when it first runs.
prefix_hook='timeout 900 chroot "$1" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  /opt/wine-prefix/make-wine-prefix.sh /root/wineprefix headless ||
  { echo "i386 machine: no Wine prefix in the image; the machine will make it" >&2; rm -rf "$1/root/wineprefix"; }
rm -rf "$1/tmp/".wine-* "$1/tmp/"*'

started=$SECONDS
rm -rf "$out"
mkdir -p "$out"
root="$out/rootfs"

# The initramfs holds only what finds and mounts the root disk; building the full one
# runs thousands of emulated shell commands.
initramfs_setup='mkdir -p "$1/etc/initramfs-tools/conf.d" "$1/etc/initramfs-tools/hooks"
printf "MODULES=list\nBUSYBOX=n\nCOMPRESS=gzip\n" > "$1/etc/initramfs-tools/conf.d/guest"
printf "#!/bin/sh\n[ \"\$1\" = prereqs ] && exit 0\n. /usr/share/initramfs-tools/hook-functions\nmanual_add_modules virtio_pci virtio_blk ext4\n" > "$1/etc/initramfs-tools/hooks/guest-disk"
chmod +x "$1/etc/initramfs-tools/hooks/guest-disk"'

# Where the kernel runs 32-bit programs, the i386 maintainer scripts run natively; elsewhere
# through qemu-i386-static, registered with a binfmt_misc instance of a private user
# namespace.
register_emulator=1
if arch-test -n i386 >/dev/null 2>&1; then register_emulator=0; fi
echo "i386 machine: building the root file system from $mirror" \
  "($([ $register_emulator = 1 ] && echo "through qemu-i386-static" || echo "i386 programs run natively"))"
REGISTER_EMULATOR=$register_emulator "$here/userns-run.py" bash -euo pipefail -c '
  mount --make-rprivate /
  [ "$REGISTER_EMULATOR" = 1 ] || exec "$@"
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  printf "%b" ":qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F" > /proc/sys/fs/binfmt_misc/register
  exec "$@"' userns \
  mmdebstrap --mode=root --arch=i386 --variant=essential \
    --include="$(IFS=,; echo "${packages[*]}")" \
    --dpkgopt='path-exclude=/usr/share/doc/*' --dpkgopt='path-exclude=/usr/share/man/*' \
    --dpkgopt='path-exclude=/usr/share/locale/*' \
    --essential-hook="$initramfs_setup" \
    --customize-hook="install -m 755 '$here/guest-init.sh' \"\$1/sbin/guest-init\"" \
    --customize-hook="mkdir -p \"\$1/opt/wine-prefix\" && install -m 755 '$scripts/make-wine-prefix.sh' '$scripts/wine-loader.sh' \"\$1/opt/wine-prefix/\"" \
    --customize-hook="$prefix_hook" \
    --customize-hook='rm -rf "$1/var/cache/apt" "$1/var/lib/apt/lists"' \
    bookworm "$root" "$mirror"
echo "i386 machine: root file system in $((SECONDS - started)) s"

cp "$root"/boot/vmlinuz-* "$out/vmlinuz"
cp "$root"/boot/initrd.img-* "$out/initrd.img"
# Room for the Wine prefix and the tests' files; the image is used as a snapshot, so
# nothing a run writes stays.
size_mb=$(( $(du -sm "$root" | cut -f1) + 1536 ))
mkfs.ext4 -q -F -L guest -d "$root" "$out/disk.ext4" "${size_mb}M"
rm -rf "$root"
echo "$stamp" > "$out/stamp"
echo "i386 machine: image built in $((SECONDS - started)) s ($out)"
