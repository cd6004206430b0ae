"""Writes expected/ of the dataset groups_missing_year_files (see README).
Run it from anywhere: python3 derive.py

Every output is that of groups_empty_year (the same year 2011, factor 7 and
static tables, an empty pumping file and no authorized acres), whose
derive.py states it; only standard error differs."""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import load_dataset, missing_file_warning, write_expected  # noqa: E402

result = load_dataset('groups_empty_year').expected()
# one warning per missing year file, in the order the run reads them
result.stderr = [missing_file_warning(name)
                 for name in ('authacres2011.txt', 'tessadro2011.txt', '2011mi.txt')]
write_expected(HERE, result)
