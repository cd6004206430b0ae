"""Writes expected/ of the dataset groups_empty_year (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside the datasets

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from record_text import (record, array_row, group_report, RUN_REPORT_HEADING,  # noqa: E402
                         SUMS_HEADING, header_console, write_out, write_expected)

NROW, NCOL = 3, 4
ZEROS = [0.0] * 5


def main():
    zero_array = array_row([0.0] * NCOL) * NROW
    check = []
    for m in range(5, 11):
        # no pumping and no return flow anywhere: every cell 0.0, sums 0.0
        write_out(HERE, '2011.%02d.pmp' % m, zero_array)
        write_out(HERE, '2011.%02d.rcg' % m, zero_array)
        check += [record('2011.%02d.pmp' % m), record('2011.%02d.rcg' % m), record(m, 0.0, 0.0)]
    write_out(HERE, '2011.agw', zero_array)
    write_out(HERE, '2011.mi', zero_array)
    check += [record('pumping'), record(0.0), record('gw returns'), record(0.0),
              record('gw acres'), record(0.0), record('m&i pumping'), record(0.0)]
    write_out(HERE, 'check2011.out', check)
    for name in ('pumpgrid2011.dat', 'gwretgrid2011.dat', 'acresgrid2011.dat', '2011migrid.dat'):
        write_out(HERE, name, [])
    # the run report holds its header and the zero sums: no record was read,
    # no tract was listed and numna is 0, so no reassignment heading either
    write_out(HERE, 'output2011.dat', [RUN_REPORT_HEADING, SUMS_HEADING, record(*ZEROS)])
    # 5000 zero lines and the head of an empty tract table
    write_out(HERE, 'authacres2011.out', group_report({}, []))

    stdout = header_console('2011', '7', 7.0) + [
        record('..reading authorized acres by group'),
        record('Expected fields: grp,twnshp,range,sect,tract,authacres'),
        record('sum authorized acres by group = ', 0.0),
        record('..reading pumping file'),
        record('sums (sumgwret, sumacres,queltaacres,'),
        record('      gwretnotauthorized, acresnotauthorized): '),
        record(*ZEROS),
        record('sum over acresloc(grp):', 0.0),
        record('..reading coordinates of 40-acre tracts'),
        record('..writing plot files'),
        record('..writing pmp, rcg, and agw files'),
        record('..reading m&i file'),
        record(0, ' m&i recs read'),
        record('..write mi plot file'),
    ]
    stderr = ["Warning: file 'authacres2011.txt' does not exist; read as an empty file"]
    write_expected(HERE, stdout, stderr, 0)


if __name__ == '__main__':
    main()
