#!/usr/bin/env python3
"""Fails when a folder of src/ includes a folder its CMake target does not link.

Every folder of src/ builds one target (a tovik_* library, or an executable in
app/ and cli/). The targets it may include from are the tovik_* libraries its
target_link_libraries names, directly or through them. An include of any other
folder, or a circle among the folders' includes or links, is reported one line
each and the exit status is 1.

Usage: scripts/check-layers.py [REPOSITORY_ROOT]
"""
import pathlib
import re
import sys

TARGET_DEFINITION = re.compile(r'\b(?:tovik_library|add_library|add_executable)\s*\(\s*([A-Za-z0-9_.-]+)')
LINK = re.compile(r'\btarget_link_libraries\s*\(\s*([A-Za-z0-9_.-]+)([^)]*)\)', re.S)
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*"([^"/]+)/[^"]+"', re.M)
UI_HEADER = re.compile(r'<header>([^</]+)/[^<]+</header>')
SOURCE_SUFFIXES = {'.h', '.hpp', '.cpp', '.c', '.ui'}


def without_comments(cmake_text):
    return re.sub(r'#[^\n]*', '', cmake_text)


def read_targets(src):
    """Folder -> its targets, and target -> the tovik_* targets it links."""
    folder_targets, links = {}, {}
    for cmake in sorted(src.glob('*/CMakeLists.txt')):
        folder = cmake.parent.name
        text = without_comments(cmake.read_text(encoding='utf-8'))
        for target in TARGET_DEFINITION.findall(text):
            folder_targets.setdefault(folder, []).append(target)
            links.setdefault(target, set())
        for target, arguments in LINK.findall(text):
            links.setdefault(target, set()).update(
                word for word in arguments.split() if word.startswith('tovik_'))
    return folder_targets, links


def reachable(start, links):
    seen, stack = set(), list(links.get(start, ()))
    while stack:
        target = stack.pop()
        if target not in seen:
            seen.add(target)
            stack.extend(links.get(target, ()))
    return seen


def find_cycle(graph):
    """One circle of the graph as a list of nodes (first repeated last), or None."""
    state, path = {}, []

    def visit(node):
        state[node] = 'open'
        path.append(node)
        for successor in sorted(graph.get(node, ())):
            if state.get(successor) == 'open':
                return path[path.index(successor):] + [successor]
            if successor not in state:
                found = visit(successor)
                if found:
                    return found
        path.pop()
        state[node] = 'done'
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def included_folders(path):
    """(line number, folder) of every include of a folder's header in one file."""
    text = path.read_text(encoding='utf-8', errors='replace')
    pattern = UI_HEADER if path.suffix == '.ui' else INCLUDE
    for match in pattern.finditer(text):
        yield text.count('\n', 0, match.start()) + 1, match.group(1)


def check(root):
    src = root / 'src'
    folders = sorted(p.name for p in src.iterdir() if p.is_dir())
    folder_targets, links = read_targets(src)
    target_folder = {t: f for f, targets in folder_targets.items() for t in targets}
    problems = []

    for folder in folders:
        if folder not in folder_targets and (src / folder / 'CMakeLists.txt').exists():
            problems.append(f'src/{folder}: its CMakeLists.txt defines no target')

    link_cycle = find_cycle({t: {d for d in deps if d in links} for t, deps in links.items()})
    if link_cycle:
        problems.append('link cycle: ' + ' -> '.join(link_cycle))

    include_graph = {}
    for folder in folders:
        allowed = {folder}
        for target in folder_targets.get(folder, ()):
            allowed |= {target_folder[t] for t in reachable(target, links) if t in target_folder}
        names = ', '.join(folder_targets.get(folder, ['(no target)']))
        for path in sorted((src / folder).rglob('*')):
            if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
                continue
            for line, used in included_folders(path):
                if used not in folders or used == folder:
                    continue
                include_graph.setdefault(folder, set()).add(used)
                if used not in allowed:
                    problems.append(f'{path.relative_to(root)}:{line}: includes {used}/ but {names} '
                                    f'does not link the {used} library')

    include_cycle = find_cycle(include_graph)
    if include_cycle:
        problems.append('include cycle between folders: ' + ' -> '.join(include_cycle))
    return problems


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    problems = check(root.resolve())
    for problem in problems:
        print(problem)
    if problems:
        print(f'check-layers: {len(problems)} problem(s); see docs/ARCHITECTURE.md')
        return 1
    print('check-layers: every include follows the library graph')
    return 0


if __name__ == '__main__':
    sys.exit(main())
