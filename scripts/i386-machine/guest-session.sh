#!/bin/sh
# The test session inside the emulated i386 machine, started by guest-init.sh as root:
# makes a 32-bit Wine prefix, unzips the shipped portable zip, runs the i686 build of the
# Windows test executables case by case (the installer and portable-copy tests among them
# install, drive and uninstall the shipped 32-bit packages) and times the 32-bit program's
# start-up next to a minimal 32-bit window program.
#
# The host's source and build folders are mounted at their host paths (share_src,
# share_build), so paths built into the test programs hold here too. run_dir, on the
# shared build folder, receives the results:
#   stages      one line per stage: NAME SECONDS
#   cases       one line per test case: passed|failed|notrun|leftout EXECUTABLE CASE SECONDS
#   logs/       each failed case's output
#   benchmark   the start-up benchmark's output
#   done        written last, so the host can tell a finished session from a broken one
# skip_tests (optional, comma-separated executable names) leaves test executables out,
# skip_cases (comma-separated Suite.Case names) single cases;
# tests_budget (seconds) is the test cases' share of the time.
set -u
src=$share_src
build=$share_build
run=$run_dir
tests_from=$build/windows-i686/tests/win
# The test programs write their fixtures beside themselves; the host may run the same
# executables meanwhile, so they run from a copy on the machine's own disk. They find the
# program two folders up, as in the build tree.
tree=/root/windows-i686
wine=/usr/lib/wine/wine
case_limit=${case_limit:-300}
executable_limit=${executable_limit:-900}

export WINEPREFIX=/root/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Notification requests go to a loopback port where nothing listens; the machine has no
# network device either.
export http_proxy=http://127.0.0.1:9/

milliseconds() { echo $(($(date +%s%N) / 1000000)); }
# The first stage, the boot, began when the kernel started.
read -r uptime _ < /proc/uptime
stage_started=$(($(milliseconds) - ${uptime%.*} * 1000 - (1${uptime#*.} - 100) * 10))
# end_stage NAME: records the time since the previous stage ended.
end_stage() {
  now=$(milliseconds)
  elapsed=$((now - stage_started))
  printf '%s %d.%03d\n' "$1" $((elapsed / 1000)) $((elapsed % 1000)) >> "$run/stages"
  echo "guest-session: stage $1 took $((elapsed / 1000)) s"
  stage_started=$now
}

mkdir -p "$run/logs"
: > "$run/stages"
: > "$run/cases"
echo "guest-session: $(uname -srm), $(nproc) processors, $($wine --version)"
end_stage boot

"$src/scripts/make-wine-prefix.sh" "$WINEPREFIX" headless || { echo "guest-session: no Wine prefix" >&2; exit 1; }
# One Wine session for the whole run: its server and system processes start once, not for
# every test case (the cases run one at a time, so none shares the session with another).
wineserver=/usr/lib/wine/wineserver32
"$wineserver" -p
end_stage wine-prefix

mkdir -p "$tree/tests/win" "$tree/src" "$tree/bench/win"
cp "$tests_from"/*.exe "$tests_from"/*.dll "$tree/tests/win/"
cp "$build/windows-i686/src/TandemoxDictionary.exe" "$tree/src/"
cp "$build/windows-i686/bench/win/startup_benchmark.exe" "$build/windows-i686/bench/win/minimal_window.exe" \
  "$tree/bench/win/"
# The portable copy the tests start goes where the build puts it, on a folder of this
# machine's own: the shipped 32-bit zip, unzipped here.
mkdir -p "$build/packages-test"
mount -t tmpfs tmpfs "$build/packages-test"
for zip in "$build"/packages/TandemoxDictionary-*-portable.zip; do
  unzip -q "$zip" -d "$build/packages-test/portable" || echo "guest-session: cannot unzip $zip" >&2
done
end_stage copy-and-unzip

# After the packages and the benchmark, the test cases get a share of the time; those that
# would start after it has run out are recorded as not run.
tests_deadline=

# list_cases EXECUTABLE: writes its test cases (Suite.Case, one a line) to $run/logs/NAME.cases.
# An executable that lists no cases (it did not start, say) is a failure, not an empty run.
list_cases() {
  name=$(basename "$1" .exe)
  list=$run/logs/$name.list
  "$wine" "$1" --gtest_list_tests 2> "$list.err" < /dev/null | tr -d '\r' > "$list"
  awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }' "$list" > "$run/logs/$name.cases"
  if [ ! -s "$run/logs/$name.cases" ]; then
    printf 'failed %s (listing) 0\n' "$name" >> "$run/cases"
    cat "$list" "$list.err" > "$run/logs/$name.(listing).log"
    echo "guest-session: failed $name: no test cases listed"
  fi
  rm -f "$list" "$list.err"
}

# run_executable EXECUTABLE: all its cases in one process, which spares starting Wine's
# processes for each (most of a case's time under emulation); a case that did not pass
# there (a test that leaves something behind for the next, or a crash that ended the run)
# runs again in a process of its own, as ctest runs it, and that run decides.
run_executable() {
  exe=$1
  name=$(basename "$exe" .exe)
  list_cases "$exe"
  cases=$run/logs/$name.cases
  [ -s "$cases" ] || return
  if [ -n "$tests_deadline" ] && [ $(($(milliseconds) / 1000)) -ge "$tests_deadline" ]; then
    while read -r test_case; do run_case "$exe" "$test_case"; done < "$cases"
    return
  fi
  filter=
  for c in $(echo "${skip_cases:-}" | tr , " "); do filter="$filter:$c"; done
  [ -n "$filter" ] && filter="*-${filter#:}"
  whole=$run/logs/$name.whole.log
  set --
  [ "$name" = notification_tests ] && set -- python3 "$src/tests/win/loopback_http_server.py"
  (cd "$(dirname "$exe")" && timeout "$executable_limit" "$@" "$wine" "$exe" ${filter:+"--gtest_filter=$filter"}) \
    > "$whole" 2>&1 < /dev/null
  while read -r test_case; do
    line=$(grep -F "[       OK ] $test_case (" "$whole" | head -1)
    if [ -n "$line" ] && ! case_left_out "$test_case"; then
      ms=$(echo "$line" | sed 's/.*(\([0-9]*\) ms).*/\1/')
      printf 'passed %s %s %d.%03d\n' "$name" "$test_case" $((ms / 1000)) $((ms % 1000)) >> "$run/cases"
      echo "guest-session: passed $name $test_case"
    else
      run_case "$exe" "$test_case" again
    fi
  done < "$cases"
  rm -f "$whole"
}

# run_case EXECUTABLE CASE [again]: the case in a process of its own, as ctest runs it;
# recorded as left out, not run (the time share is over), passed or failed. A case run again
# after its executable's run always runs: a failure is never recorded as not run.
run_case() {
  exe=$1
  test_case=$2
  again=${3:-}
  name=$(basename "$exe" .exe)
  started=$(milliseconds)
  if case_left_out "$test_case"; then
    printf 'leftout %s %s 0\n' "$name" "$test_case" >> "$run/cases"
    return
  fi
  if [ -z "$again" ] && [ -n "$tests_deadline" ] && [ $((started / 1000)) -ge "$tests_deadline" ]; then
    printf 'notrun %s %s 0\n' "$name" "$test_case" >> "$run/cases"
    return
  fi
  # The notification tests talk to a loopback web server of their own.
  set --
  [ "$name" = notification_tests ] && set -- python3 "$src/tests/win/loopback_http_server.py"
  log="$run/logs/$name.$(echo "$test_case" | tr '/' '_').log"
  (cd "$(dirname "$exe")" && timeout "$case_limit" "$@" "$wine" "$exe" "--gtest_filter=$test_case") \
    > "$log" 2>&1 < /dev/null
  rc=$?
  elapsed=$(($(milliseconds) - started))
  if [ $rc -eq 0 ] && grep -q '^\[  PASSED  \] 1 test' "$log"; then
    result=passed
    rm -f "$log"
  else
    result=failed
    [ $rc -eq 124 ] && echo "guest-session: stopped after $case_limit s" >> "$log"
  fi
  printf '%s %s %s %d.%03d\n' $result "$name" "$test_case" $((elapsed / 1000)) $((elapsed % 1000)) >> "$run/cases"
  echo "guest-session: $result $name $test_case"
}

case_left_out() {
  for c in $(echo "${skip_cases:-}" | tr , " "); do [ "$c" = "$1" ] && return 0; done
  return 1
}

skipped() {
  for s in $(echo "${skip_tests:-}" | tr , " "); do [ "$s" = "$1" ] && return 0; done
  return 1
}

# The start-up of the shipped program (the unzipped portable copy) to its initial lookup,
# next to a minimal 32-bit window program started the same way.
run_startup_benchmark() {
  "$wine" "$tree/bench/win/startup_benchmark.exe" \
    "Z:$(echo "$build/packages-test/portable/TandemoxDictionary" | tr / '\\')" "${benchmark_rounds:-3}" \
    > "$run/benchmark" 2>&1 < /dev/null
  echo "guest-session: start-up benchmark ended with $?"
  cat "$run/benchmark"
  end_stage startup-benchmark
}

# First the shipped packages: install, use and uninstall the setup program, start the
# unzipped portable copy. Then the cases of the other executables in turns, those that cover
# most of the program first in each turn; any not named here come last.
order="packages startup lookup commands own_articles program settings capture about_help hostile_articles
       save_kill web_links notification screen_scale soak"
executables=
for name in $order; do
  [ -f "$tree/tests/win/${name}_tests.exe" ] && executables="$executables $tree/tests/win/${name}_tests.exe"
done
for exe in "$tree"/tests/win/*_tests.exe; do
  case " $executables " in *" $exe "*) ;; *) executables="$executables $exe" ;; esac
done
for exe in $executables; do
  name=$(basename "$exe" .exe)
  if skipped "$name"; then
    echo "guest-session: $name left out (skip_tests)"
    continue
  fi
  if [ "$name" = packages_tests ]; then
    # Each case on its own: every one installs and uninstalls.
    list_cases "$exe"
    while read -r test_case; do run_case "$exe" "$test_case"; done < "$run/logs/$name.cases"
    end_stage packages
    run_startup_benchmark
    tests_deadline=$(($(milliseconds) / 1000 + ${tests_budget:-1200}))
  else
    run_executable "$exe"
  fi
done
end_stage tests

"$wineserver" -k 2>/dev/null
"$wineserver" -w 2>/dev/null
umount "$build/packages-test"
end_stage wine-shutdown
echo done > "$run/done"
