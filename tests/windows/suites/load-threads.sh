#!/usr/bin/env bash
# Vantrel.dll under Wine: 8 threads of one process, each in its own
# apartment, add 250 users each at once, then 8 processes do; all 2,000 must
# be kept each time. A run that has not ended after 600 s prints its threads'
# backtraces (winedbg) and fails.
# Architectures: x64
# Usage: load-threads.sh WINDOWS_BUILD_DIR (WINEPREFIX set; VANTREL_WINE optional)
. "$(dirname "$0")/../support/suite.sh"
program=$(built load_threads_test.exe) && dll=$(built Vantrel.dll) || exit 1
log=$(mktemp /tmp/vantrel-load.XXXXXX)
trap 'rm -f "$log"' EXIT
status=0
for mode in "" --processes; do
  "$wine" "$program" "$(windows_path "$dll")" $mode >"$log" 2>&1 &
  pid=$!
  for ((waited = 0; waited < 600; waited++)); do kill -0 $pid 2>/dev/null && sleep 1 || break; done
  if kill -0 $pid 2>/dev/null; then
    echo "FAIL: no end after 600 s; the program's threads:"
    timeout 300 "$wine" winedbg --command "bt all" 2>&1 | tr -d '\r' |
      awk '/^Backtracing for thread/ { on = index($0, "load_threads_test") > 0 } on' | head -300
    kill $pid
  fi
  wait $pid || status=1
  tr -d '\r' <"$log" | grep -E '^(FAIL|[0-9]+ (of|passed))' || tr -d '\r' <"$log" | tail -20
done
exit $status
