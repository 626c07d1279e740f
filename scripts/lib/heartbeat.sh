# Sourced by the scripts that run long commands. heartbeat PREFIX: passes its
# standard input through line by line and, whenever nothing came for 30 s,
# says that PREFIX's command is still at work and for how long, so that no
# step is silent for long.
heartbeat() {
  local prefix=$1 line status
  local start=$SECONDS
  while true; do
    if IFS= read -r -t 30 line; then
      printf '%s\n' "$line"
    else
      status=$?
      if [ "$status" -le 128 ]; then   # the end of the input; above 128 is the time-out
        [ -z "$line" ] || printf '%s\n' "$line"
        break
      fi
      printf '%s: still at work, %d min %02d s so far...\n' "$prefix" $(((SECONDS - start) / 60)) $(((SECONDS - start) % 60))
    fi
  done
}
