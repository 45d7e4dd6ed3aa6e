# bash completion for torvex
_torvex() {
  local cur prev
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  local options="--run --threads --blocks --repeat --drive --runs --warmup --format --output --screenshot --compare --fail-below --quiet --direct --help --version"
  case $prev in
    --format) COMPREPLY=($(compgen -W "text csv json" -- "$cur")); return ;;
    --output|--screenshot|--compare) COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --drive) COMPREPLY=($(compgen -W "a: b: c: d: e: f: g: h:" -- "$cur")); return ;;
    --runs) COMPREPLY=($(compgen -W "auto" -- "$cur")); return ;;
    --threads|--blocks|--repeat|--warmup|--fail-below) return ;;
  esac
  COMPREPLY=($(compgen -W "$options" -- "$cur"))
}
complete -F _torvex torvex
