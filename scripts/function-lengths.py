#!/usr/bin/env python3
"""Lists every C++ function longer than a limit, counted from its signature to its closing brace.

    scripts/function-lengths.py [--limit 60] FOLDER_OR_FILE...

Exits 1 and prints one line per long function ("file:line: name is N lines"), or 0 when none
is. Not a C++ parser: it strips comments, literals and preprocessor lines, then reads the braces
at namespace and class scope, which is as far as the project's own code needs.
"""
import argparse
import os
import re
import sys

SOURCE_ENDINGS = (".cpp", ".h", ".hpp", ".cc")
# A word before a body brace that opens a scope holding functions, not one.
SCOPE_WORDS = {"namespace", "extern"}
TYPE_WORDS = {"class", "struct", "union", "enum"}
ACCESS = re.compile(r"\b(public|protected|private)(\s+(slots|Q_SLOTS))?\s*:(?!:)|"
                    r"\b(signals|Q_SIGNALS|slots|Q_SLOTS)\s*:(?!:)")


def blank_code(text):
    """The text with comments, string and character literals and preprocessor lines turned to
    spaces, line breaks kept, so that offsets and line numbers stay those of the file."""
    out = list(text)
    i, n = 0, len(text)
    line_start = True

    def blank(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if line_start and c == "#":
            end = i
            while end < n and (text[end] != "\n" or text[end - 1] == "\\"):
                end += 1
            blank(i, end)
            i = end
            continue
        if c == "\n":
            line_start = True
            i += 1
            continue
        if not c.isspace():
            line_start = False
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            blank(i, end)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            blank(i, end)
            i = end
        elif c == '"' and re.search(r"(?<![\w])(u8|u|U|L)?R$", text[max(0, i - 3):i]):
            delimiter = re.match(r'"([^(\s]*)\(', text[i:]).group(1)
            end = text.find(")" + delimiter + '"', i)
            end = n if end < 0 else end + len(delimiter) + 2
            blank(i + 1, end - 1)
            i = end
        elif c in "\"'":
            if c == "'" and re.search(r"(?<![\w'])\d[\w']*$", text[max(0, i - 40):i]):
                i += 1  # a digit separator: 1'000'000
                continue
            end = i + 1
            while end < n and text[end] != c and text[end] != "\n":
                end += 2 if text[end] == "\\" else 1
            blank(i + 1, min(end, n))
            i = end + 1
        else:
            i += 1
    return "".join(out)


def depth_zero(text):
    """The characters of `text` outside any (), [] or <> of a template's arguments."""
    kept, depth = [], 0
    for c in text:
        if c in "([":
            depth += 1
        elif c in ")]":
            depth = max(0, depth - 1)
        elif depth == 0:
            kept.append(c)
    return "".join(kept)


def without_template_heads(text):
    """`text` without its leading `template <...>` clauses, whose `class T` is not a type's."""
    while True:
        head = re.match(r"\s*template\s*<", text)
        if not head:
            return text
        depth, i = 1, head.end()
        while i < len(text) and depth:
            depth += {"<": 1, ">": -1}.get(text[i], 0)
            i += 1
        text = text[i:]


def kind_of_block(head):
    """What the brace after `head` (the code since the last ; { or }) opens: "scope" for a
    namespace or a class, "function" for a body, "other" for an initializer and the like."""
    plain = without_template_heads(head)
    words = re.findall(r"[A-Za-z_]\w*", depth_zero(plain))
    if not words:
        return "other" if "=" in plain else "scope"  # `= {` or a bare block
    if words[0] in SCOPE_WORDS:
        return "scope"
    if any(word in TYPE_WORDS for word in words) and "(" not in plain.split("=")[0]:
        return "scope"
    outside = re.sub(r"\boperator\s*(\(\)|[^\s(]+)", "operator", depth_zero(plain))
    if "=" in outside:
        # A lambda given a name at namespace scope is a function too.
        after = plain[plain.rfind("=") + 1:].lstrip()
        return "function" if after.startswith("[") else "other"
    return "function" if "(" in plain else "other"


def function_name(head):
    """The qualified name before a signature's parameter list and its offset in `head`, for
    the report and for the line the signature starts on."""
    operator = re.search(r"[\w:~]*operator\s*(\(\)|[^\s(]+)\s*\(", head)
    if operator:
        return re.sub(r"\s+", "", operator.group(0)[:-1]), operator.start()
    name = re.search(r"[\w:~]+(?=\s*\()", head)
    if name:
        return name.group(0), name.start()
    return "lambda", len(head) - len(head.lstrip())


def in_constructor_initializers(head):
    """Whether `head` has passed its parameter list into a constructor's `: a(x), b{y}`, where
    a brace after a member's name is its initializer, not the body."""
    plain = depth_zero(ACCESS.sub(" ", without_template_heads(head)))
    return re.search(r"(?<!:):(?!:)", plain) is not None and "(" in head


def matching_brace(code, start):
    """The offset of the brace that closes the one at `start`."""
    depth = 0
    for i in range(start, len(code)):
        if code[i] == "{":
            depth += 1
        elif code[i] == "}":
            depth -= 1
            if depth == 0:
                return i
    return len(code) - 1


def functions(text):
    """(name, first line, last line) of every function body in `text`, at any namespace or class
    depth; a lambda or a local class inside a body counts as part of that body."""
    code = blank_code(text)
    found = []
    head_start = 0
    i = 0
    while i < len(code):
        c = code[i]
        if c in ";}":
            head_start = i + 1
        elif c == "{":
            head = code[head_start:i]
            inside_parentheses = head.count("(") > head.count(")")
            member_initializer = (in_constructor_initializers(head)
                                  and re.search(r"[\w>]$", head.rstrip()))
            if inside_parentheses or member_initializer:
                i = matching_brace(code, i) + 1  # `f(Options o = {})` or `: b{y}`
                continue
            kind = kind_of_block(head)
            if kind == "scope":
                head_start = i + 1
            else:
                end = matching_brace(code, i)
                if kind == "function":
                    name, offset = function_name(head)
                    found.append((name, code.count("\n", 0, head_start + offset) + 1,
                                  code.count("\n", 0, end) + 1))
                i = end
                head_start = end + 1
        i += 1
    return found


def source_files(paths):
    for path in paths:
        if os.path.isfile(path):
            yield path
            continue
        for folder, subfolders, names in os.walk(path):
            subfolders.sort()
            for name in sorted(names):
                if name.endswith(SOURCE_ENDINGS):
                    yield os.path.join(folder, name)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--limit", type=int, default=60, help="most lines a function may have")
    parser.add_argument("paths", nargs="+", help="folders searched for sources, or files")
    arguments = parser.parse_args(argv)
    long_ones = 0
    for path in arguments.paths:
        if not os.path.exists(path):
            print(f"{path}: no such file or folder", file=sys.stderr)
            return 2
    for path in source_files(arguments.paths):
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for name, first, last in functions(text):
            length = last - first + 1
            if length > arguments.limit:
                print(f"{path}:{first}: {name} is {length} lines, over {arguments.limit}")
                long_ones += 1
    if long_ones:
        functions_word = "function" if long_ones == 1 else "functions"
        print(f"{long_ones} {functions_word} over {arguments.limit} lines", file=sys.stderr)
    return 1 if long_ones else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
