#!/bin/sh
# The page in the repository is the one these sources build: anyone who opens it without building
# it gets what the sources say.
# Usage: committed_page_test.sh BUILT.html COMMITTED.html
if cmp -s "$1" "$2"; then
    exit 0
fi
echo "$2 is not the page these sources build ($1): run 'make web', which writes it, and commit it."
exit 1
