#!/usr/bin/env bash
# Fails when a program that the scripts, the CMake files, the fixtures or the tests call
# comes from a package that scripts/install-deps neither lists nor pulls in through the
# dependencies of a listed package, or when no installed package provides it at all.
# Programs of the base system (essential or required packages) are always there.
# Needs no network and installs nothing: it reads dpkg's own records.
#
#   check-packages.sh [--list] [ROOT]
#
# --list prints each program found, with its package, and where it is called.
set -u
list=0
[ "${1:-}" = "--list" ] && { list=1; shift; }
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2
export LC_ALL=C

# The command words of a shell text, one per line as "word<TAB>file:line". Words in
# command position only: first word of a simple command, after the prefixes that run
# another command (exec, setsid, xvfb-run, ...), with assignments, options of those
# prefixes and unquoted expansions (which may vanish, like $sudo) passed over. Quoted
# text, comments, heredoc bodies, case patterns and redirection targets are not commands.
shell_commands() {
  awk -v FILE="$1" '
  function emit(w) {
    if (w == "") return
    print w "\t" FILE ":" wordline
  }
  function isprefix(w) {
    return w ~ /^(exec|sudo|setsid|env|nohup|time|timeout|command|xvfb-run|then|do|else|elif|if|while|until|!|\{|\}|eval)$/
  }
  # Decides what the finished word means for the words after it.
  function endword(   w) {
    if (!inword) return
    inword = 0
    w = word; word = ""
    if (skipnext) { skipnext = 0; return }
    if (expectin) { if (w == "in") { expectin = 0; pattern = 1 } ; return }
    if (pattern) { if (w == "esac") { pattern = 0; incase--; cmdpos = 0 } ; return }
    if (!cmdpos) return
    if (w ~ /^[A-Za-z_][A-Za-z0-9_]*\+?=/) return                  # assignment
    if (w ~ /^-/) return                                            # an option, never a program
    if (afterprefix && (w ~ /^-/ || w ~ /^[0-9.]+[smh]?$/)) return   # a prefix option
    if (unquotedvar && w ~ /^\$/) { afterprefix = 1; return }       # may be empty
    if (w ~ /^[$"]/ || (w ~ /\// && w !~ /^\//)) { cmdpos = 0; return }  # our own paths
    if (w == "case") { incase++; expectin = 1; cmdpos = 0; return }
    if (w == "esac") { incase--; cmdpos = 0; return }
    if (w == "for" || w == "select") { cmdpos = 0; return }
    emit(w)
    if (isprefix(w)) { afterprefix = (w !~ /^(then|do|else|elif|if|while|until|!|\{|\})$/); return }
    cmdpos = 0; afterprefix = 0
  }
  function sep() { endword(); cmdpos = 1; afterprefix = 0 }
  function addch(c) {
    if (!inword) { inword = 1; wordline = NR; unquotedvar = 0; if (c == "$") unquotedvar = 1 }
    word = word c
  }
  BEGIN { cmdpos = 1; depth = 0; state = "N" }
  {
    line = $0
    if (heredoc != "") {
      t = line; if (heredocstrip) sub(/^\t+/, "", t)
      if (t == heredoc) heredoc = ""
      next
    }
    n = length(line)
    for (i = 1; i <= n; i++) {
      c = substr(line, i, 1)
      if (state == "S") { word = word c; if (c == "\047") state = "N"; continue }
      if (state == "D") {
        if (c == "\\") { word = word substr(line, i, 2); i++; continue }
        if (c == "\"") { word = word c; state = "N"; continue }
        if (c == "$" && substr(line, i + 1, 1) == "(" && substr(line, i + 2, 1) != "(") {
          endword(); stack[++depth] = "D"; i++; cmdpos = 1; afterprefix = 0; state = "N"; continue
        }
        word = word c; continue
      }
      # state N
      if (c == "\\" && i == n) break                                # continued line
      if (c == "\\") { addch(substr(line, i, 2)); i++; continue }
      if (c == "\047") { addch(c); state = "S"; continue }
      if (c == "\"") { addch(c); state = "D"; continue }
      if (c == "#" && !inword) { break }
      if (c == "$" && substr(line, i + 1, 2) == "((") {
        # arithmetic: no commands inside
        lvl = 0
        for (j = i + 1; j <= n; j++) { d = substr(line, j, 1); if (d == "(") lvl++; if (d == ")") { lvl--; if (lvl == 0) break } }
        addch(substr(line, i, j - i + 1)); i = j; continue
      }
      if (c == "$" && substr(line, i + 1, 1) == "{") {
        lvl = 0
        for (j = i + 1; j <= n; j++) { d = substr(line, j, 1); if (d == "{") lvl++; if (d == "}") { lvl--; if (lvl == 0) break } }
        addch(substr(line, i, j - i + 1)); i = j; continue
      }
      if (c == "$" && substr(line, i + 1, 1) == "(") {
        endword(); stack[++depth] = "N"; i++; cmdpos = 1; afterprefix = 0; continue
      }
      if (c == "(" && inword && word ~ /^[A-Za-z_][A-Za-z0-9_]*\+?=$/) {
        # an array assignment: its elements are words, not commands
        lvl = 0
        for (j = i; j <= n; j++) { d = substr(line, j, 1); if (d == "(") lvl++; if (d == ")") { lvl--; if (lvl == 0) break } }
        word = word substr(line, i, j - i + 1); i = j; continue
      }
      if (c == "(") {
        if (inword) { endword() }   # name() { ... }: a function, not a call
        stack[++depth] = "("; cmdpos = 1; afterprefix = 0; continue
      }
      if (c == ")") {
        endword()
        if (depth > 0) {
          top = stack[depth--]
          if (top == "D") { state = "D"; inword = 1; word = "\"x"; cmdpos = 0; continue }
          if (top == "N") { cmdpos = 0; inword = 1; word = "$x"; continue }
          cmdpos = 1; continue
        }
        pattern = 0; cmdpos = 1; afterprefix = 0; continue    # end of a case pattern
      }
      if (c == ";") {
        if (substr(line, i + 1, 1) == ";") { i++; sep(); if (incase) pattern = 1; continue }
        sep(); continue
      }
      if (c == "|" || c == "&") {
        # the & of 2>&1 belongs to the redirection (handled at < and >)
        sep(); continue
      }
      if (c == "<" || c == ">") {
        if (inword && word ~ /^[0-9]+$/) { inword = 0; word = "" }
        if (c == "<" && substr(line, i, 3) ~ /^<<[^<]/) {
          rest = substr(line, i + 2)
          heredocstrip = (substr(rest, 1, 1) == "-")
          if (heredocstrip) rest = substr(rest, 2)
          sub(/^[ \t]*/, "", rest)
          match(rest, /^["\047]?[A-Za-z_][A-Za-z0-9_]*["\047]?/)
          pending = substr(rest, RSTART, RLENGTH); gsub(/["\047]/, "", pending)
          i += 1 + heredocstrip + (length(substr(line, i + 2 + heredocstrip)) - length(rest)) + RLENGTH
          continue
        }
        endword()
        if (substr(line, i + 1, 1) == "(") { i++; stack[++depth] = "N"; cmdpos = 1; continue }
        while (substr(line, i + 1, 1) ~ /[<>|]/) i++
        if (substr(line, i + 1, 1) == "&") { i++; while (substr(line, i + 1, 1) ~ /[0-9-]/) i++; continue }
        skipnext = 1; continue
      }
      if (c == " " || c == "\t") { endword(); continue }
      addch(c)
    }
    if (state == "N") {
      endword()
      if (pending != "") { heredoc = pending; pending = "" }
      if (substr(line, n, 1) != "\\") { cmdpos = 1; afterprefix = 0 }
    }
  }' "$1"
}

# The functions a shell file defines: called, but not programs.
shell_functions() {
  sed -n -e 's/^[[:space:]]*function[[:space:]]\{1,\}\([A-Za-z_][A-Za-z0-9_-]*\).*/\1/p' \
         -e 's/^[[:space:]]*\([A-Za-z_][A-Za-z0-9_-]*\)[[:space:]]*()[[:space:]]*{.*/\1/p' "$1"
}

# Programs that CMake runs: the first word after COMMAND, unless it is one of the
# project's own targets or a path of the tree; "sh -c TEXT" is scanned as shell text.
cmake_commands() {
  local f=$1
  awk -v FILE="$f" '
    { text = text $0 "\n"; lines[NR] = $0 }
    END {
      n = split(text, chars, "")
      ln = 1
      for (i = 1; i <= n; i++) {
        if (chars[i] == "\n") { ln++; continue }
        if (substr(text, i, 8) == "COMMAND " && (i == 1 || chars[i-1] ~ /[ \t(\n]/)) {
          j = i + 8
          while (chars[j] == " ") j++
          w = ""
          while (j <= n && chars[j] !~ /[ \t\n)]/) { w = w chars[j]; j++ }
          print "C\t" w "\t" FILE ":" ln
          if (w == "sh" || w == "bash") {
            while (chars[j] == " ") j++
            if (substr(text, j, 3) == "-c ") {
              j += 3; while (chars[j] == " ") j++
              if (chars[j] == "\"") {
                s = ""; j++
                while (j <= n && chars[j] != "\"") { if (chars[j] == "\\") { j++ } ; s = s chars[j]; j++ }
                print "S\t" s "\t" FILE ":" ln
              }
            }
          }
        }
      }
    }' "$f"
}

# The tree's own files; build trees and the repository's records are not sources.
tree_files() {
  find . \( -path ./.git -o -path './build*' \) -prune -o -type f "$@" -print | sed 's|^\./||' | sort
}
cmake_files=$(tree_files \( -name CMakeLists.txt -o -name '*.cmake' \))
targets=$(echo "$cmake_files" | xargs sed -n 's/.*add_\(executable\|library\)([[:space:]]*\([A-Za-z0-9_.-]*\).*/\2/p' | sort -u)
calls=$(mktemp); trap 'rm -f "$calls" "$calls".*' EXIT

for f in $(tree_files); do
  [ -f "$f" ] || continue
  head -c 64 "$f" | head -1 | grep -q '^#!.*\(bash\|/sh\)' || continue
  funcs=" $(shell_functions "$f" | tr '\n' ' ') "
  shell_commands "$f" | while IFS=$'\t' read -r w where; do
    case "$funcs" in *" $w "*) continue ;; esac
    printf '%s\t%s\n' "$w" "$where"
  done >>"$calls"
done
for f in $cmake_files; do
  cmake_commands "$f" | while IFS=$'\t' read -r kind w where; do
    if [ "$kind" = S ]; then
      printf '%s\n' "$w" >"$calls.sh"
      shell_commands "$calls.sh" | sed "s|\t.*|\t$where|"
      continue
    fi
    case "$w" in ''|'${'*|*/*) continue ;; esac
    printf '%s\n' $targets | grep -qxF "$w" && continue
    printf '%s\t%s\n' "$w" "$where"
  done >>"$calls"
done

# What the base system always has, and everything the listed packages pull in.
listed=$(sed -n '/^packages="/,/"$/p' scripts/install-deps | sed 's/^packages="//; s/"$//' | tr ' ' '\n' | grep -v '^$')
[ -n "$listed" ] || { echo "no package list found in scripts/install-deps"; exit 1; }
dpkg-query -W -f='${db:Status-Abbrev}\t${Package}\t${Essential}\t${Priority}\t${Provides}\t${Pre-Depends}, ${Depends}\n' \
  >"$calls.db" 2>/dev/null
pulled=$(awk -F'\t' -v LISTED="$(echo $listed)" '
  $1 !~ /^ii/ { next }
  {
    pkg = $2; installed[pkg] = 1
    if ($3 == "yes" || $4 == "required") base[pkg] = 1
    np = split($5, pv, /, */)
    for (k = 1; k <= np; k++) { p = pv[k]; sub(/[ :(].*/, "", p); if (p != "") provider[p] = provider[p] " " pkg }
    deps[pkg] = $6
  }
  END {
    nl = split(LISTED, l, " ")
    for (k = 1; k <= nl; k++) { queue[++qn] = l[k]; seen[l[k]] = 1 }
    for (q = 1; q <= qn; q++) {
      nd = split(deps[queue[q]], d, /[,|]/)
      for (k = 1; k <= nd; k++) {
        p = d[k]; gsub(/^ +| +$/, "", p); sub(/[ :(].*/, "", p)
        if (p == "") continue
        cand = (p in installed) ? p : ""
        if (p in provider) cand = cand provider[p]
        nc = split(cand, cs, " ")
        for (m = 1; m <= nc; m++) if (!(cs[m] in seen)) { seen[cs[m]] = 1; queue[++qn] = cs[m] }
      }
    }
    for (p in seen) print "pulled\t" p
    for (p in base) print "base\t" p
  }' "$calls.db")

owner() {  # owner PATH: the installed package that holds the program
  local p=$1 alt r
  for alt in "$p" "$(readlink -f "$p")" "${p/#\/usr\/bin\//\/bin\/}" "${p/#\/usr\/sbin\//\/sbin\/}"; do
    r=$(dpkg -S "$alt" 2>/dev/null | grep -v '^diversion' | head -1 | cut -d: -f1 | cut -d, -f1)
    [ -n "$r" ] && { echo "$r"; return; }
  done
}

status=0
builtins=" $(compgen -b | tr '\n' ' ') $(compgen -k | tr '\n' ' ') "
PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
for w in $(cut -f1 "$calls" | sort -u); do
  case "$builtins" in *" $w "*) continue ;; esac
  where=$(awk -F'\t' -v W="$w" '$1 == W { print $2 }' "$calls" | sort -u | head -3 | tr '\n' ' ')
  path=$(type -P "$w")
  if [ -z "$path" ]; then
    echo "'$w' (called in $where) is no installed program: add its package to scripts/install-deps"
    status=1; continue
  fi
  pkg=$(owner "$path")
  if [ -z "$pkg" ]; then
    echo "'$w' ($path, called in $where) belongs to no package: it cannot be installed by scripts/install-deps"
    status=1; continue
  fi
  if printf '%s\n' "$pulled" | grep -qxF "pulled	$pkg"; then how="listed or pulled in"
  elif printf '%s\n' "$pulled" | grep -qxF "base	$pkg"; then how="base system"
  else
    echo "'$w' (called in $where) comes from package $pkg, which scripts/install-deps does not install"
    status=1; continue
  fi
  [ $list -eq 1 ] && printf '%-24s %-34s %-20s %s\n' "$w" "$pkg" "$how" "$where"
done
exit $status
