#!/usr/bin/env python3
"""The function-length checker on small sources that trip a brace counter, and as a command."""
import os
import runpy
import subprocess
import sys
import tempfile
import types
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "function-lengths.py")
# The script's name has a hyphen, so it is run for its functions rather than imported.
checker = types.SimpleNamespace(**runpy.run_path(SCRIPT))

# Each source with the functions found in it: (name, first line, last line).
CASES = [
    ("lines from the signature to the closing brace",
     "#include <x>\n\nint twice(int x)\n{\n    return 2 * x;\n}\n",
     [("twice", 3, 6)]),
    ("parameters wrapped onto more lines",
     "void draw(int a,\n          int b) {\n    a += b;\n}\n",
     [("draw", 1, 4)]),
    ("braces in comments and literals",
     "void f() {\n    // }\n    /* } */ const char* s = \"}\";\n    char c = '}';\n"
     "    auto r = R\"x(\")}\")x\";\n}\nvoid g() {}\n",
     [("f", 1, 6), ("g", 7, 7)]),
    ("a quote after a letter opens a literal; after digits it separates them",
     "void f(QString s) {\n    s.chop(s.endsWith(u'}'));\n    int n = 1'000; }\n"
     "void g() {}\n",
     [("f", 1, 3), ("g", 4, 4)]),
    ("braced member initializers before a constructor's body",
     "Panel::Panel(QWidget* parent)\n    : QWidget(parent), rows_{1, 2},\n"
     "      table_(new Table{this}) {\n    build();\n}\n",
     [("Panel::Panel", 1, 5)]),
    ("members inside namespaces and classes, not the classes",
     "namespace quiz {\nnamespace {\nclass Row : public Base {\n    Q_OBJECT\npublic:\n"
     "    Row() {\n        x_ = 1;\n    }\nprivate slots:\n    int size() const { return 3; }\n"
     "private:\n    int x_{0};\n};\n} // namespace\n}\n",
     [("Row", 6, 8), ("size", 10, 10)]),
    ("initializers and enumerations are no functions",
     "const int kTable[] = {\n    1, 2,\n};\nconst Point kOrigin{f(0), 0};\n"
     "enum class Kind { A, B };\nstruct S { int a; };\nvoid after() {}\n",
     [("after", 7, 7)]),
    ("a lambda in a body belongs to it; a named one at namespace scope is one",
     "void f() {\n    auto g = [](int x) {\n        return x;\n    };\n}\n"
     "const auto kTwice = [](int x) {\n    return 2 * x;\n};\n",
     [("f", 1, 5), ("lambda", 6, 8)]),
    ("an empty brace as a default argument",
     "struct S {\n    void f(Options o = {}) {\n        use(o);\n    }\n};\n",
     [("f", 2, 4)]),
    ("a template's class word and an operator",
     "template <class T, int N = 2>\nT larger(T a, T b) {\n    return a < b ? b : a;\n}\n"
     "bool operator==(const A& a, const A& b) {\n    return a.x == b.x;\n}\n",
     [("larger", 2, 4), ("operator==", 5, 7)]),
    ("preprocessor lines leave their braces out",
     "#define OPEN {\nvoid f() {\n#if X\n    a();\n#endif\n}\n",
     [("f", 2, 6)]),
]


class FunctionsFound(unittest.TestCase):
    def test_cases(self):
        for name, source, expected in CASES:
            with self.subTest(name):
                self.assertEqual(checker.functions(source), expected)


def body(lines):
    return "void f() {\n" + "    x();\n" * (lines - 2) + "}\n"


class AsACommand(unittest.TestCase):
    def run_checker(self, *arguments):
        return subprocess.run([sys.executable, SCRIPT, *arguments], capture_output=True,
                              text=True)

    def test_lists_every_long_function_and_fails(self):
        with tempfile.TemporaryDirectory() as folder:
            os.mkdir(os.path.join(folder, "inner"))
            for path, lines in [("a.cpp", 61), ("inner/b.h", 70), ("c.cpp", 60), ("d.txt", 99)]:
                with open(os.path.join(folder, path), "w", encoding="utf-8") as f:
                    f.write(body(lines))
            result = self.run_checker(folder)
            self.assertEqual(result.returncode, 1)
            listed = sorted(line.split(": ", 1)[1] for line in result.stdout.splitlines())
            self.assertEqual(listed, ["f is 61 lines, over 60", "f is 70 lines, over 60"])
            self.assertEqual(self.run_checker("--limit", "70", folder).returncode, 0)

    def test_refuses_a_missing_folder(self):
        result = self.run_checker("no-such-folder")
        self.assertEqual(result.returncode, 2)
        self.assertIn("no-such-folder", result.stderr)


if __name__ == "__main__":
    unittest.main()
