"""Writes expected/ of the dataset groups_record_forms (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import (RUN_REPORT_HEADING, SUMS_HEADING, Grid, Result,  # noqa: E402
                       console_until_tracts, end_of_year, f32, free, group_report, write_expected)

# Active cells: all of row 1 and column 1 of row 2 (the short record " 1");
# row 3 is a blank record. Every county is 1 or 0 (taken as 1).
GRID = Grid(nrow=3, ncol=4, delx=100.0, dely=100.0, xorigin=1000.0, yorigin=5000.0,
            ibound=[[1, 1, 1, 1], [1, 0, 0, 0], [0, 0, 0, 0]])
COUNTY = [[1, 1, 1, 1], [1, 0, 0, 0], [0, 0, 0, 0]]
FACTORS = {1: (0.05, 0.12, 0.2, 0.25, 0.18, 0.1)}     # May to October

# Pumping records as read (factor 0.25 for the listed identifiers 9001, 9002):
#  1 grp 5 (1,1) pump 100 gw 10 ac 8 -> 2, quelta 8           (commas)
#  2 grp 5 (1,2) pump -12345678 gw 20 ac 4 -> 1, quelta 4     (quoted text,
#    values after the ninth ignored)
#  3 grp 6 (3,1) pump 50 gw 4 ac 6                            (two lines)
#  4 grp 6 (4,1) pump 30 gw 30 ac 6                           (2*30.0)
#  5 grp 6 (1,1) pump 40 gw 30 (null: the previous value) ac 7
#  6 (2,2) inactive: pump 1.0, nmsg 1                         (slash)
#  7 (1,3) inactive (blank row): pump 9.0, nmsg 2
#  8 cut short by the end of the file: dropped
PUMP = {(1, 1): 140.0, (3, 1): 50.0, (4, 1): 30.0}
GROUPS = {
    # pumpgrp 100 - 12345678 = -12345578: too wide for F10.2 -> asterisks
    5: (2, 1050.0, 5200.0, f32(100.0 - 12345678.0), 30.0, 3.0, 10.0),
    # mean x (1250 + 1350 + 1050) / 3 as a 4-byte real, mean y 5250
    6: (3, f32(3650.0 / 3), 5250.0, 120.0, 64.0, 19.0, 20.0),
}
SUMS = (94.0, 22.0, 12.0, 0.0, 0.0)
# group 5: box 0 x 100 ft; group 6: box 300 x 0 ft
PDRANGE = {5: f32(100 / 5280), 6: f32(300 / 5280)}

# Tracts: group 5 tract 1 at (1110,5280) -> (2,1), 60 x 80 ft from (1050,5200);
# group 6 tract 2 at (1250,5250) -> (3,1), |mean x - 1250| ft away. Both fct 1.
GWRET = {(2, 1): 30.0, (3, 1): 64.0}
ACRES = {(2, 1): 3.0, (3, 1): 19.0}
DIST6 = f32(abs(GROUPS[6][1] - 1250.0) / 5280)
TRACT_ROWS = [
    free(5, 1, 1, 1, 1, 10.0, 1.0, 1110.0, 5280.0, 1, 2, 2, 1.0, 1, 2, 1050.0, 5200.0,
         f32(100 / 5280), PDRANGE[5], 3.0, 3.0, 1),
    free(6, 1, 1, 1, 2, 20.0, 1.0, 1250.0, 5250.0, 1, 3, 3, 1.0, 1, 3, GROUPS[6][1], 5250.0,
         DIST6, PDRANGE[6], 19.0, 19.0, 1),
]

r = Result()
r.files['output2010.dat'] = [
    RUN_REPORT_HEADING,
    free(2, 2, 1.0, ' pumping'),
    free(3, 1, 9.0, ' pumping'),
    SUMS_HEADING,
    free(*SUMS),
]
r.files['authacres2010.out'] = group_report(GROUPS, TRACT_ROWS)
# authorized acres 10 + 20; the last record (group 7, five values) ends at the
# end of the file; the groups' acres 3 + 19
r.stdout = console_until_tracts('2010', '0.25', 30.0, SUMS, 22.0)
# the plot files, monthly arrays and check report follow from PUMP, GWRET and
# ACRES (acres 3 + 19 = 22 in all); no M&I records
end_of_year(r, GRID, '2010', PUMP, GWRET, ACRES, COUNTY, FACTORS)
assert r.files['check2010.out'][-4:-2] == [free('gw acres'), free(22.0)]
write_expected(HERE, r)
