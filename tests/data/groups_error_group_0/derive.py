"""Writes expected/ of the dataset groups_error_group_0 (see README).
Run it from anywhere: python3 derive.py

The run is that of groups_error_group_5001 with group 0 on record 3: the
index of npd is below its lower bound instead of above its upper one."""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import load_dataset, write_expected  # noqa: E402

write_expected(HERE, load_dataset('groups_error_group_5001').expected(0, 'below lower bound of 1'))
