# Folders made once per cache (TESSAVANE_CACHE, default /var/cache/tessavane) and kept between
# runs. Sourced by the scripts that make them.

cache_root=${TESSAVANE_CACHE:-/var/cache/tessavane}

# cache_reuse FOLDER: when FOLDER is complete (it holds .complete), prints it and ends the script.
cache_reuse() {
  if [ -f "$1/.complete" ]; then echo "$1"; exit 0; fi
}

# cache_work NAME: a scratch folder beside the cache's folders, in $work, removed when the script
# ends unless cache_publish moved it into place.
cache_work() {
  mkdir -p "$cache_root"
  work=$(mktemp -d -p "$cache_root" ".$1.XXXXXX")
  trap 'rm -rf "$work"' EXIT
}

# cache_publish FOLDER: marks $work complete and moves it to FOLDER, which it prints. Another run
# may have made FOLDER meanwhile; either is as good, and the first one stays.
cache_publish() {
  touch "$work/.complete"
  if mv -T "$work" "$1" 2>/dev/null; then trap - EXIT; fi
  echo "$1"
}
