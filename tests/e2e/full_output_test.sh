#!/bin/sh
# radial-kinematics with its standard output on a full device: status 1 and one line saying why,
# for output that fails at the final flush and for output that fails long before it.
# Usage: full_output_test.sh RADIAL_KINEMATICS
tool=$1
[ -c /dev/full ] || exit 77
expected="radial-kinematics: could not write the output: No space left on device"
for args in "" "--sweep 0.001 --cylinders 35"; do
    # shellcheck disable=SC2086 # the arguments are split on purpose
    err=$("$tool" $args 2>&1 >/dev/full)
    status=$?
    if [ "$status" -ne 1 ] || [ "$err" != "$expected" ]; then
        echo "radial-kinematics $args > /dev/full: status $status, standard error: $err"
        exit 1
    fi
done
"$tool" --sweep 0.001 --cylinders 35 >/dev/null || exit 1
