"""Writes expected/ of the dataset groups_missing_year_files (see README).
Run it from anywhere: python3 derive.py

Every output is that of groups_empty_year (the same year 2011, factor 7 and
static tables, an empty pumping file and no authorized acres), whose
derive.py is run first; only standard error differs."""
import os
import shutil
import sys

sys.dont_write_bytecode = True   # no cache folders inside the datasets

HERE = os.path.dirname(os.path.abspath(__file__))
EMPTY = os.path.join(HERE, '..', 'groups_empty_year')
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
sys.path.insert(0, EMPTY)
import derive as empty  # noqa: E402
from record_text import write_expected  # noqa: E402


def main():
    empty.main()
    shutil.rmtree(os.path.join(HERE, 'expected'), ignore_errors=True)
    shutil.copytree(os.path.join(EMPTY, 'expected', 'out'), os.path.join(HERE, 'expected', 'out'))
    stdout = open(os.path.join(EMPTY, 'expected', 'stdout')).read().split('\n')[:-1]
    # one warning per missing year file, in the order the run reads them
    stderr = ["Warning: file '%s' does not exist; read as an empty file" % name
              for name in ('authacres2011.txt', 'tessadro2011.txt', '2011mi.txt')]
    write_expected(HERE, stdout, stderr, 0)


if __name__ == '__main__':
    main()
