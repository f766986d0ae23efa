#!/usr/bin/env python3
"""The desktop's French and Dutch text tables as a script for the web page.

Usage: web-texts.py LanguageTexts.cpp AnalysisTexts.cpp > texts.js
The names are the enumerators of LanguageTexts.h and AnalysisTexts.h, so
that the page asks for a text by the name the desktop code uses.
"""
import json
import re
import sys
from pathlib import Path

STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')
ESCAPES = {'"': '"', '\\': '\\', 'n': '\n', 't': '\t', "'": "'"}


def literal(body):
    return re.sub(r'\\(.)', lambda m: ESCAPES[m.group(1)], body)


def strip_comments(text):
    text = re.sub(r'/\*.*?\*/', lambda m: m.group(0) if re.fullmatch(r'/\*\s*\d+\s*\*/', m.group(0)) else '',
                  text, flags=re.S)
    return re.sub(r'^\s*//.*$', '', text, flags=re.M)


def enumerators(header, enum):
    body = re.search(r'enum class ' + enum + r'\s*(?::\s*\w+\s*)?\{(.*?)\};', header.read_text(), re.S).group(1)
    body = re.sub(r'//.*', '', body)
    names = [item.split('=')[0].strip() for item in body.split(',')]
    return [name for name in names if name and name != 'Count']


def language_tables(source):
    text = strip_comments(source.read_text())
    tables = {}
    for language, name in (('fr', 'FrenchTexts'), ('nl', 'DutchTexts')):
        body = re.search(name + r'\s*=\s*\{(.*?)\n\};', text, re.S).group(1)
        rows = re.split(r'/\*\s*\d+\s*\*/', body)[1:]
        tables[language] = [''.join(literal(s) for s in STRING.findall(row)) for row in rows]
    return tables


def analysis_pairs(source):
    text = strip_comments(source.read_text())
    body = re.search(r'Table\[\]\s*=\s*\{(.*?)\n\};', text, re.S).group(1)
    pairs = []
    for entry in re.findall(r'\{((?:[^{}"]|"(?:[^"\\]|\\.)*")*)\}', body):
        # Adjacent literals are one string; a comma between two starts the next.
        strings, joined, last = [], [], 0
        for match in STRING.finditer(entry):
            if joined and ',' in entry[last:match.start()]:
                strings.append(''.join(joined))
                joined = []
            joined.append(literal(match.group(1)))
            last = match.end()
        strings.append(''.join(joined))
        assert len(strings) == 2, entry
        french, dutch = strings
        pairs.append((french, dutch))
    return pairs


def main():
    language_source, analysis_source = map(Path, sys.argv[1:3])
    names = enumerators(language_source.with_suffix('.h'), 'TText')
    tables = language_tables(language_source)
    analysis_names = enumerators(analysis_source.with_suffix('.h'), 'TAnalysisText')
    pairs = analysis_pairs(analysis_source)
    if len(names) != len(tables['fr']) or len(names) != len(tables['nl']) or len(analysis_names) != len(pairs):
        sys.exit('web-texts: the tables and their names do not match')
    texts = {'fr': dict(zip(names, tables['fr'])), 'nl': dict(zip(names, tables['nl']))}
    for name, (french, dutch) in zip(analysis_names, pairs):
        # The two tables share a few names (SummerTime): the analysis's lower-case
        # words keep a prefix.
        key = name if name not in texts['fr'] else 'Analysis' + name
        texts['fr'][key] = french
        texts['nl'][key] = dutch
    print('// Generated from the desktop\'s text tables by scripts/web-texts.py.')
    print('const KelvaraTexts = ' + json.dumps(texts, ensure_ascii=False, indent=0) + ';')


main()
