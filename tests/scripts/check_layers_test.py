#!/usr/bin/env python3
"""scripts/check-layers.py passes the real tree and fails small trees that break the layering."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECKER = pathlib.Path(sys.argv.pop(1)).resolve()
ROOT = CHECKER.parent.parent


def run(root):
    result = subprocess.run([sys.executable, str(CHECKER), str(root)], capture_output=True, text=True)
    return result.returncode, result.stdout


def tree(files):
    folder = tempfile.TemporaryDirectory()
    for name, text in files.items():
        path = pathlib.Path(folder.name) / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)
    return folder


LOW = 'tovik_library(tovik_low PLAIN SOURCES Low.cpp)\n'
HIGH = 'tovik_library(tovik_high SOURCES High.cpp)\ntarget_link_libraries(tovik_high PUBLIC tovik_low Qt6::Core)\n'


class CheckLayersTest(unittest.TestCase):
    def test_the_repository_follows_its_layers(self):
        code, output = run(ROOT)
        self.assertEqual(code, 0, output)

    def test_an_upward_include_fails_naming_file_and_line(self):
        with tree({'src/low/CMakeLists.txt': LOW, 'src/high/CMakeLists.txt': HIGH,
                   'src/high/High.cpp': '#include "low/Low.h"\n',
                   'src/low/Low.cpp': '#include "low/Low.h"\n\n#include "high/High.h"\n'}) as root:
            code, output = run(root)
        self.assertEqual(code, 1)
        self.assertIn('src/low/Low.cpp:3: includes high/', output)
        self.assertIn('include cycle between folders', output)

    def test_a_form_naming_a_header_above_fails(self):
        with tree({'src/low/CMakeLists.txt': LOW, 'src/high/CMakeLists.txt': HIGH,
                   'src/low/Form.ui': '<ui><header>high/High.h</header></ui>\n'}) as root:
            code, output = run(root)
        self.assertEqual(code, 1)
        self.assertIn('src/low/Form.ui:1: includes high/', output)

    def test_libraries_linking_each_other_fail(self):
        circular = LOW + 'target_link_libraries(tovik_low PUBLIC tovik_high) # back up\n'
        with tree({'src/low/CMakeLists.txt': circular, 'src/high/CMakeLists.txt': HIGH}) as root:
            code, output = run(root)
        self.assertEqual(code, 1)
        self.assertIn('link cycle: tovik_high -> tovik_low -> tovik_high', output)

    def test_includes_through_a_linked_library_pass(self):
        top = 'add_executable(top main.cpp)\ntarget_link_libraries(top PRIVATE tovik_high)\n'
        with tree({'src/low/CMakeLists.txt': LOW, 'src/high/CMakeLists.txt': HIGH,
                   'src/top/CMakeLists.txt': top, 'src/top/main.cpp': '#include "low/Low.h"\n'}) as root:
            code, output = run(root)
        self.assertEqual(code, 0, output)


if __name__ == '__main__':
    unittest.main()
