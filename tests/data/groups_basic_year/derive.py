"""Writes expected/ of the dataset groups_basic_year from the values reasoned
out below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import (REASSIGN_HEADING, RUN_REPORT_HEADING, SUMS_HEADING, Grid,  # noqa: E402
                       Result, console_until_tracts, end_of_year, f32, free, group_report,
                       write_expected)

# Grid: 3 rows x 4 columns of 100 ft, west edge 1000, south edge 5000, so the
# north edge ytop = 3 x 100 + 5000 = 5300.  Cell centres: columns at x = 1050,
# 1150, 1250, 1350; rows at y = 5250 (row 1), 5150, 5050 (row 3).
GRID = Grid(nrow=3, ncol=4, delx=100.0, dely=100.0, xorigin=1000.0, yorigin=5000.0,
            ibound=[[1, 1, 1, 1],
                    [1, 0, 1, 1],       # (2,2) inactive
                    [1, 1, -1, 1]])     # (3,3): -1 is active
COUNTY = [[1, 1, 2, 2], [0, 1, 2, 2], [3, 3, 3, 2]]   # rows 1..3; 0 takes county 1
# May..October factors by file position (the index field 3, 2, 1 of the first
# three records is ignored; the names after the seventh value too).
FACTORS = {1: (0.05, 0.12, 0.2, 0.25, 0.18, 0.1),
           2: (0.1, 0.15, 0.25, 0.25, 0.15, 0.1),
           3: (0.2, 0.2, 0.2, 0.2, 0.1, 0.1)}

# ---- authorized acres, first pass: authtot(7) = 40 + 20.5 = 60.5, (12) = 100,
# (20) = 75 + 25 = 100, (30) = 60, (9) = 10 + 15 = 25; group 6001 counts only
# in the sum: 40 + 20.5 + 100 + 10 + 75 + 25 + 60 + 10 + 15 = 355.5 (all
# exact in 4 bytes).
SUMAUTH = 355.5

# ---- pumping records (x, y -> column, row by truncation toward zero):
#  1 grp 12 (1050,5250) -> (1,1)  pump 300  gw 60  ac 50
#  2 grp 12 (1200,5050) -> (3,3)  ibound -1 is active; dx = 200 -> column 3
#  3 grp  7 (1350,5050) -> (4,3)  pump -5: not on the grid, but in pumpgrp
#  4 grp  7 ( 950,5350) -> (1,1)  -0.5 and -0.5 truncate to 0: column 1, row 1
#  5 grp 20 pdid 9002 (listed once)  (3,1)  acres 100 x 0.5 = 50, quelta 100
#  6 grp 30 pdid 9001 (listed twice) (4,2)  acres 40 x 0.5 = 20 (not 0.25),
#                                           quelta 40 + 40
#  7 grp 9999 (850,5600): column trunc(-1.5)+1 = 0, row trunc(-3)+1 = -2: off
#    the grid, nmsg 1 (its group is never looked at)
#  8 grp 50 (1400,5200): column trunc(4.0)+1 = 5 > 4: off, row 2, nmsg 2
#  9 grp 51 (1150,5450): column 2, row trunc(-1.5)+1 = 0: off, nmsg 3
# 10 grp 5001 (1150,5150) -> (2,2), ibound 0: nmsg 4, not shown
# 11 grp 40 pdid 9001 (1050,5150) -> (1,2): no authorized acres; two matches
#    in the list -> two console notes; acres 36 x 0.5 = 18; quelta 36 + 36;
#    numna 1, node (2-1) x 4 + 1 = 5
# 12 grp 40 pdid 4002 (1150,5050) -> (2,3): numna 2, node (3-1) x 4 + 2 = 10
PUMP = {(1, 1): 350.0, (3, 3): 100.0, (3, 1): 400.0, (4, 2): 150.0, (1, 2): 120.0, (2, 3): 80.0}
SUMGWRET = 60 + 20 + 4 + 6 + 80 + 30 + 24 + 16          # 240
SUMACRES = 50 + 30 + 10 + 20 + 50 + 20 + 18 + 700        # 898
QUELTAACRES = 100 + 40 + 40 + 36 + 36                    # 252
GWRETNA, ACRESNA = 24 + 16, 18 + 700
SUMS = (float(SUMGWRET), float(SUMACRES), float(QUELTAACRES), float(GWRETNA), float(ACRESNA))

# Group lines: npd, mean x, mean y, pumpgrp, gwretloc, acresloc, authtot.
GROUPS = {
    7: (2, 1150.0, 5200.0, 45.0, 10.0, 30.0, 60.5),      # x (1350+950)/2, y (5050+5350)/2
    9: (0, 0.0, 0.0, 0.0, 0.0, 0.0, 25.0),
    12: (2, 1125.0, 5150.0, 400.0, 80.0, 80.0, 100.0),   # x (1050+1200)/2, y (5250+5050)/2
    20: (1, 1250.0, 5250.0, 400.0, 80.0, 50.0, 100.0),
    30: (1, 1350.0, 5150.0, 150.0, 30.0, 20.0, 60.0),
    40: (2, 1100.0, 5100.0, 200.0, 40.0, 718.0, 0.0),
}
# pdrange: group 7 box 400 x 300 ft -> 500 ft; group 12 box 150 x 200 -> 250 ft.
PDRANGE = {7: f32(500 / 5280), 12: f32(250 / 5280)}

# ---- second pass over the authorized acres (tract points from 40coords.dat):
FCT1 = f32(40.0 / 60.5)       # group 7 tract 1
FCT2 = f32(20.5 / 60.5)       # group 7 tract 2
# Every share below goes into a cell that is still 0, except the group 12
# tract, whose share 80 x 1.0 is exact: no sum depends on how wide the
# product is formed.
ACRES = {}
GWRET = {}
ACRES[(2, 1)] = f32(30.0 * FCT1)                       # tract 1 of group 7 at (1150,5250)
GWRET[(2, 1)] = f32(10.0 * FCT1)
ACRES[(3, 1)] = f32(30.0 * FCT2)                       # tract 2 at (1270,5290)
GWRET[(3, 1)] = f32(10.0 * FCT2)
ACRES_21_BEFORE_12 = ACRES[(2, 1)]
ACRES[(2, 1)] = f32(ACRES[(2, 1)] + 80.0)              # group 12 tract at (1185,5230)
GWRET[(2, 1)] = f32(GWRET[(2, 1)] + 80.0)
ACRES[(4, 2)], GWRET[(4, 2)] = 37.5, 60.0              # group 20: 0.75 x 50, 0.75 x 80
ACRES[(2, 3)], GWRET[(2, 3)] = 20.0, 30.0              # group 30: fct 1.0 at (1110,5080)
ACRES[(1, 2)], GWRET[(1, 2)] = 0.0, 0.0                # group 9 (no pumping): 0.6 x 0
FCT9 = f32(15.0 / 25.0)


def dist(dx, dy):
    """Distance in miles; every distance here is a whole number of feet."""
    return f32((dx * dx + dy * dy) ** 0.5 / 5280)


def tract_row(grp, tract, authacres, fct, xloc, yloc, row, col, ibound, cell_acres, ntracts,
              distance):
    npd, xpd, ypd, _, _, acresloc, _ = GROUPS[grp]
    return free(grp, 1, 1, 1, tract, authacres, fct, xloc, yloc, row, col, (row - 1) * 326 + col,
                fct, ibound, npd, xpd, ypd, distance, PDRANGE.get(grp, 0.0), cell_acres,
                acresloc, ntracts)


TRACT_ROWS = [
    # group 7 mean (1150,5200): tract 1 is 0 x 50 ft off, tract 2 120 x 90 -> 150
    tract_row(7, 1, 40.0, FCT1, 1150.0, 5250.0, 1, 2, 1, ACRES_21_BEFORE_12, 1, dist(0, 50)),
    tract_row(7, 2, 20.5, FCT2, 1270.0, 5290.0, 1, 3, 1, ACRES[(3, 1)], 2, dist(120, 90)),
    # group 12 mean (1125,5150) to (1185,5230): 60 x 80 -> 100 ft
    tract_row(12, 3, 100.0, 1.0, 1185.0, 5230.0, 1, 2, 1, ACRES[(2, 1)], 1, dist(60, 80)),
    # 6001: skipped, tract 99 never checked
    # group 20 (1250,5250) to (1310,5170): 60 x 80 -> 100 ft; cell (4,2) node 326+4
    tract_row(20, 4, 75.0, 0.75, 1310.0, 5170.0, 2, 4, 1, 37.5, 1, dist(60, 80)),
    # group 20 tract 8 at (1150,5150) is on the inactive cell (2,2): "I" record
    # group 30 (1350,5150) to (1110,5080): 240 x 70 -> 250 ft; cell (2,3)
    tract_row(30, 5, 60.0, 1.0, 1110.0, 5080.0, 3, 2, 1, 20.0, 1, dist(240, 70)),
    # group 9 tract (1,1,2,1) is not in 40coords.dat -> (0,0) -> column -9
    # group 9 tract 7 at (1050,5150) -> (1,2); npd 0 so the distance is 0.0
    tract_row(9, 7, 15.0, FCT9, 1050.0, 5150.0, 2, 1, 1, 0.0, 2, 0.0),
]

# ---- reassignment: entry 1 (grp 40, node 5 -> (1,2)): 0 acres there, places
# min(640, 18) = 18 and the return flow 24; entry 2 (node 10 -> (2,3)): 20
# acres there, places min(620, 700) = 620 and the return flow 16.
ACRES[(1, 2)] = 18.0
GWRET[(1, 2)] = 24.0
ACRES[(2, 3)] = 640.0
GWRET[(2, 3)] = 46.0

RUN_REPORT = [
    RUN_REPORT_HEADING,
    free(1, -2, 0, ' pumping'),
    free(2, 2, 5, ' pumping'),
    free(3, 0, 2, ' pumping'),
    free(2, 2, 55.5, ' pumping'),
    free(40, 24.0, 36.0, 24.0, 18.0, 2, 1, 5, 1),
    free(40, 16.0, 700.0, 40.0, 718.0, 3, 2, 10, 2),
    SUMS_HEADING,
    free(*SUMS),
    # tract 8 of group 20 on the inactive cell: nmsg 5 (not shown), 0.25 x 80, 0.25 x 50
    free(20, 8, 2, 2, 20.0, 12.5, 'I'),
    # tract (1,1,2,1) of group 9 at (0,0): row trunc(5300/100)+1 = 54, column
    # trunc(-1000/100)+1 = -9, nmsg 6
    free(6, 54, -9, ' return flow 1'),
] + REASSIGN_HEADING + [
    free(1, 40, 18.0),
    free(2, 40, 620.0),
]


def expected(county=COUNTY):
    """The run of this year on the county grid `county`. The plot files, the
    monthly arrays and the check report follow from PUMP, GWRET and ACRES, the
    factors of the cells' counties and the empty M&I file."""
    r = Result()
    r.files['output2010.dat'] = RUN_REPORT
    r.files['authacres2010.out'] = group_report(GROUPS, TRACT_ROWS)
    # the two notes of record 11; the sum over the groups' acres is
    # 30 + 80 + 50 + 20 + 718 = 898 in group order; group 6001 is above 5000
    note = free('grp ', 40, ' gwret ', 24.0, ' acloc ', 36.0)
    r.stdout = console_until_tracts('2010', '0.5', SUMAUTH, SUMS, 898.0, [note, note], 6001)
    end_of_year(r, GRID, '2010', PUMP, GWRET, ACRES, county, FACTORS)
    return r


if __name__ == '__main__':
    write_expected(HERE, expected())
