#!/usr/bin/env bash
# Runs the shipped 32-bit files in an emulated i386 Debian machine under 32-bit Wine:
# builds the machine's image once per build tree (build-image.sh), boots it with the
# source and build folders shared, lets guest-session.sh install, drive and uninstall the
# packages and run the i686 test executables, then reports each stage's time, the test
# cases, the 32-bit start-up ratio and, when anything failed, the machine's log.
#   run-tests.sh SOURCE_DIR BUILD_DIR
# SKIP_I386_MACHINE=1 skips it for a local run (ctest then lists the test as skipped);
# CI (CI=true) always runs it. The exit code 77 means skipped.
set -euo pipefail

# The whole script is read before it runs (main, called at the end), so a change to this file
# during a run cannot change the rest of that run.
main() {
  src=$(cd "${1:?source dir}" && pwd)
  build=$(cd "${2:?build dir}" && pwd)
  here=$(cd "$(dirname "$0")" && pwd)
  machine=$build/i386-machine
  run=$machine/run

  if [ "${SKIP_I386_MACHINE:-0}" = 1 ]; then
    if [ "${CI:-}" = true ]; then
      echo "i386 machine: SKIP_I386_MACHINE is ignored in CI; running it"
    else
      echo "i386 machine: skipped (SKIP_I386_MACHINE=1): the shipped 32-bit files were not run"
      exit 77
    fi
  fi

  # The guest's own limit for one test case, the test cases' share of the time, and what is
  # left out: the notification area tests need an X display with a virtual desktop, which the
  # machine does not have; without hardware virtualisation, the soak test, which types for
  # minutes even on a real machine.
  # One installer case is left out too: each install takes a minute under emulation, and the
  # two cases that run install, check, drive and uninstall the package; the one left out (an
  # update over an installed copy) runs in the host's own test run.
  case_limit=300
  tests_budget=1800
  # The key-path, near-word and history cases wait for the window's timers (a pause of
  # 300 ms, a settle of 1.5 s) with waits made for a real processor; under emulation they
  # would time out. The host's own run covers the same i686 executables.
  skip_tests="tray_tests reach_tests your_words_tests"
  skip_cases="Installer.UninstallLeavesNoFolderWhenTheUserKeptNothingInIt"
  # kvm_boots: whether this machine's KVM runs the guest's kernel at all (some virtual machines
  # offer /dev/kvm but fail on a 32-bit guest); a kernel without a root disk panics at once.
  kvm_boots() {
    [ -w /dev/kvm ] || return 1
    local log
    log=$(mktemp)
    (timeout 30 qemu-system-i386 -accel kvm -cpu max -m 256 -display none -monitor none -serial "file:$log" \
      -no-reboot -nic none -kernel "$machine/vmlinuz" -append "console=ttyS0 panic=-1"; true) >/dev/null 2>&1
    grep -q 'Kernel panic' "$log"
    local found=$?
    rm -f "$log"
    return $found
  }

  started=$SECONDS
  # The root file system holds files of several owners: only root can make it.
  if [ "$(id -u)" -eq 0 ]; then
    "$here/build-image.sh" "$machine"
  else
    sudo "$here/build-image.sh" "$machine"
  fi
  image_seconds=$((SECONDS - started))

  if kvm_boots; then
    accel=(-accel kvm -cpu max)
    accel_name=KVM
  else
    accel=(-accel tcg,thread=multi -cpu max,-smap)
    accel_name="TCG, no usable KVM here"
    # All the i686 cases take about 12 minutes under emulation. Where this machine runs
    # 32-bit programs itself, the suite has already run every one of them under Wine here,
    # so the machine runs the executables that come first (start-up, lookups, commands, own
    # articles, the program: 46 cases) to show the shipped files on a 32-bit system;
    # elsewhere it is the only 32-bit run, and runs them all.
    if [ "$("$src/scripts/wine-loader.sh" 2>/dev/null)" = /usr/lib/wine/wine ]; then
      tests_budget=${I386_MACHINE_TESTS_BUDGET:-240}
    else
      tests_budget=${I386_MACHINE_TESTS_BUDGET:-1200}
    fi
    skip_tests="$skip_tests soak_tests"
  fi

  for f in "$build/packages/TandemoxDictionary-"*-setup.exe "$build/windows-i686/tests/win/packages_tests.exe"; do
    [ -f "$f" ] || { echo "i386 machine: $f is missing; build first (cmake --build)" >&2; exit 1; }
  done

  rm -rf "$run"
  mkdir -p "$run"
  console=$run/console.log
  echo "i386 machine: booting ($accel_name), log in $console"
  started=$SECONDS
  status=0
  # No network device: nothing inside can reach a network. The disk is a snapshot, so each run
  # starts from the same image.
  timeout $((tests_budget + 1800)) qemu-system-i386 "${accel[@]}" -smp 2 -m 3072 \
    -display none -monitor none -serial "file:$console" -no-reboot -nic none \
    -kernel "$machine/vmlinuz" -initrd "$machine/initrd.img" \
    -drive "file=$machine/disk.ext4,format=raw,if=virtio,snapshot=on" \
    -virtfs "local,path=$src,mount_tag=src,security_model=none,readonly=on" \
    -virtfs "local,path=$build,mount_tag=build,security_model=none" \
    -append "root=/dev/vda rw console=ttyS0 init=/sbin/guest-init panic=-1 quiet share_src=$src share_build=$build run_dir=$run session=$here/guest-session.sh case_limit=$case_limit tests_budget=$tests_budget skip_tests=$(echo "$skip_tests" | tr ' ' ,) skip_cases=$skip_cases" \
    || status=$?
  machine_seconds=$((SECONDS - started))

  echo
  echo "i386 machine: image ${image_seconds} s, machine ${machine_seconds} s ($accel_name), stages inside:"
  [ -f "$run/stages" ] && sed 's/^/  /; s/$/ s/' "$run/stages"
  failed=0
  if [ -f "$run/cases" ]; then
    passed=$(grep -c '^passed ' "$run/cases" || true)
    failed=$(grep -c '^failed ' "$run/cases" || true)
    notrun=$(grep -c '^notrun ' "$run/cases" || true)
    leftout=$(grep -c '^leftout ' "$run/cases" || true)
    echo "i386 machine: $passed test cases passed, $failed failed under 32-bit Wine;" \
      "$notrun not run, the time for test cases ($tests_budget s) having run out; $leftout left out"
    awk '$1 != "leftout" { n[$2]; c[$2, $1]++; s[$2] += $4 }
         END { for (e in n) printf "  %s: %d passed, %d failed, %d not run, %.0f s\n", e, c[e, "passed"],
                                   c[e, "failed"], c[e, "notrun"], s[e] }' "$run/cases" | sort
    awk '$1 == "notrun" {print "  not run: " $2 " " $3}' "$run/cases"
    awk '$1 == "leftout" {print "  left out: " $2 " " $3}' "$run/cases"
    awk '$1 == "failed" {print $2, $3}' "$run/cases" | while read -r exe name; do
      echo "----- failed: $exe $name"
      cat "$run/logs/$exe.$(echo "$name" | tr "/" "_").log" 2>/dev/null || true
    done
  fi
  echo "i386 machine: left out: $skip_tests"
  [ -f "$run/benchmark" ] && sed 's/^/i386 machine: /' "$run/benchmark"

  if [ $status -ne 0 ] || [ ! -f "$run/done" ] || [ ! -s "$run/cases" ] || [ "$failed" -ne 0 ] ||
     ! grep -q 'ratio' "$run/benchmark" 2>/dev/null; then
    [ $status -eq 124 ] && echo "i386 machine: stopped after $((tests_budget + 1800)) s"
    echo "i386 machine: FAILED; the machine's log:"
    cat "$console" 2>/dev/null || true
    exit 1
  fi
  echo "i386 machine: passed"
}

main "$@"
