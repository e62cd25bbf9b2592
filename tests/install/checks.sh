# The checking helpers both install tests share: each failed check is counted and reported,
# and the test ends with all of them rather than the first.
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
# expect_same WHAT EXPECTED ACTUAL
expect_same() {
  if [ "$2" != "$3" ]; then fail "$1: expected [$2], got [$3]"; fi
}
