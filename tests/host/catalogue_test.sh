#!/usr/bin/env bash
# Every message the host translates (tr and tr_format in its sources) has a
# translation in each catalogue of host/po.
# Usage: catalogue_test.sh HOST-SOURCE-FOLDER WORK-FOLDER
set -euo pipefail
sources=$1 work=$2
xgettext --language=C++ --keyword=tr --keyword=tr_format:1 --from-code=UTF-8 --package-name=vyxmath \
    -o "$work/vyxmath.pot" "$sources"/*.cpp
count=$(grep -c '^msgid ' "$work/vyxmath.pot")
for po in "$sources"/po/*.po; do
    msgcmp "$po" "$work/vyxmath.pot"
    msgfmt --check --statistics -o /dev/null "$po"
done
echo "catalogues: $((count - 1)) messages, each translated"
