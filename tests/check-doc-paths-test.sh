#!/usr/bin/env bash
# The cases of check-doc-paths.pl, each a one-line document over a small tree: the exit
# status it must give and a text its output must hold.
set -u
checker=$(cd "$(dirname "$0")" && pwd)/check-doc-paths.pl
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/app/shell/frame/src"
touch "$tree/app/shell/frame/src/mainframe.cpp"

# status|document line|expected output ("" for none)
cases=(
  '0|The frame: `app/shell/frame/src/mainframe.cpp`, function `CKemMainFrame::OnTimer`.|'
  '0|A folder: `app/shell/frame/`.|'
  '1|Moved away: `app/shell/src/mainframe.cpp`.|`app/shell/src/mainframe.cpp` does not exist'
  '1|A folder that is gone: `app/shell/views/`.|`app/shell/views/` does not exist'
  '1|Two on a line: `app/shell/frame/src/mainframe.cpp` and `app/shell/frame/src/gone.cpp`.|gone.cpp` does not exist'
  '1|Outside the tree: `../etc/passwd`.|is not a path inside the tree'
  '1|Absolute: `/etc/passwd`.|is not a path inside the tree'
  '1|No path, only `CvaskAccess::Send` and `a text / with blanks`.|names no path'
)
failed=0
for entry in "${cases[@]}"; do
  IFS='|' read -r want line expect <<<"$entry"
  printf '# Map\n\n%s\n' "$line" >"$tree/doc.md"
  out=$("$checker" "$tree" "$tree/doc.md")
  got=$?
  if [ "$got" != "$want" ]; then
    echo "FAIL: exit $got, not $want, for: $line"; echo "$out"; failed=1
  elif [ -n "$expect" ] && [[ "$out" != *"$expect"* ]]; then
    echo "FAIL: no \"$expect\" in the output for: $line"; echo "$out"; failed=1
  fi
done

# A fenced block (a diagram's source) is not read for paths.
printf '# Map\n\n`app/shell/frame/`\n\n```mermaid\nflowchart TB\n  a["`app/none/`"]\n```\n' >"$tree/doc.md"
if ! out=$("$checker" "$tree" "$tree/doc.md"); then
  echo "FAIL: a path in a fenced block was checked"; echo "$out"; failed=1
fi
exit $failed
