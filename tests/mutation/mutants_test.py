#!/usr/bin/env python3
"""The mutation script's own faults: a source file left mutated, samples that change from run to
run, and mutants planted in strings, comments or declarations."""

import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "bench"))
import mutants  # noqa: E402


def changes(lines, line):
    """The mutated text of each single-line mutant of one line."""
    return {
        m.mutated[0] for m in mutants.mutants(lines) if m.line == line and len(m.mutated) == 1
    }


class Restoring(unittest.TestCase):
    def test_the_file_is_put_back_byte_for_byte_when_the_build_fails_or_is_interrupted(self):
        original = b"int f() {\n    return 1 + 2;\n}"  # no final newline, kept so
        mutant = mutants.mutants(original.decode().split("\n"))[0]
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / "f.cpp"
            path.write_bytes(original)
            for failure in (RuntimeError("the build failed"), KeyboardInterrupt()):
                with self.assertRaises(type(failure)):
                    with mutants.planted(path, mutant, original):
                        self.assertNotEqual(path.read_bytes(), original)
                        raise failure
                self.assertEqual(path.read_bytes(), original)


class Sampling(unittest.TestCase):
    def test_the_same_seed_picks_the_same_mutants_in_line_order(self):
        found = mutants.mutants(["int f(int a) {", "    return a + 1 < 2 * a;", "}"])
        self.assertEqual(len(found), 17)  # 5 relational, 6 arithmetic, 5 constant, return
        first = mutants.sample(found, 8, "7", "a.cpp")
        self.assertEqual(first, mutants.sample(list(reversed(found)), 8, "7", "a.cpp"))
        self.assertEqual(len(first), 8)
        self.assertEqual([m.line for m in first], sorted(m.line for m in first))
        self.assertNotEqual(first, mutants.sample(found, 8, "8", "a.cpp"))
        self.assertEqual(len(mutants.sample(found[:3], 8, "7", "a.cpp")), 3)


class Operators(unittest.TestCase):
    def test_a_condition_is_mutated_outside_its_string_and_comment(self):
        line = '    if (a < b && s == "x < 2") { // a < b'
        found = changes([line], 1)
        self.assertIn('    if (a <= b && s == "x < 2") { // a < b', found)
        self.assertIn('    if (a < b || s == "x < 2") { // a < b', found)
        self.assertIn('    if (!(a < b && s == "x < 2")) { // a < b', found)
        self.assertEqual(len(found), 5 + 5 + 1 + 1)  # two relational, && and the negation
        self.assertTrue(all(m.endswith('"x < 2") { // a < b') for m in found - {
            '    if (!(a < b && s == "x < 2")) { // a < b'}))

    def test_an_assignment_gets_its_operator_constant_and_deletion(self):
        lines = ["void g() {", "    total += f(2);", "}"]
        self.assertEqual(
            changes(lines, 2),
            {"    total -= f(2);", "    total *= f(2);", "    total /= f(2);",
             "    total += f(3);", "    total += f(1);", "    total += f(0);", ""},
        )

    def test_declarations_templates_comments_and_the_preprocessor_are_left_alone(self):
        lines = ["#define N 3", "std::vector<int> v;", "// x = y + 1;", "double z;", "T&& r = g();"]
        self.assertEqual(mutants.mutants(lines), [])

    def test_a_return_over_two_lines_becomes_one_value_initialised_return(self):
        lines = ["std::string f() {", "    return a +", "           b;", "}"]
        returns = [m for m in mutants.mutants(lines) if m.operator == "return"]
        self.assertEqual([(m.line, m.mutated) for m in returns], [(2, ("    return {};", ""))])


if __name__ == "__main__":
    unittest.main()
