"""Record layouts of the program's text files, for the derive.py scripts of the
whole-run datasets under tests/data/ (groups_* and inputs_*).

A derive.py states its dataset's expected tables and grids by hand (with the
reasoning in comments) and uses these helpers only to lay the values out:
  * every stored real is a 4-byte float (f32 after each +, -, *, /, sqrt);
  * free-form record: a leading blank, integers right-aligned in 11, reals in
    16 characters with 9 significant digits (fixed-point for 0.1 <= |v| < 1e9
    and for zero, else d.ddddddddE+xx), text as is, one blank between items
    except between two texts;
  * fixed fields Iw and Fw.d: rounded to d decimals (halves to even on the
    exact binary value), a leading "0" below 1 when it fits, asterisks when
    too wide;
  * files written end every record with CR LF; console lines end with LF.
"""
import math
import os
import struct


def f32(v):
    """The 4-byte float nearest to v."""
    return struct.unpack('f', struct.pack('f', v))[0]


def real16(v):
    """A 4-byte real in its 16-character free-form layout."""
    v = f32(v)
    a = abs(v)
    if v == 0.0:
        text = ('-' if math.copysign(1.0, v) < 0 else '') + '0.00000000'
        return text.rjust(12) + '    '
    if f32(0.1) <= a < 1.0e9:
        if a < 1.0:
            text = '%.9f' % v
        else:
            digits = len('%d' % int(a))
            text = '%.*f' % (9 - digits, v)
            if '.' not in text:
                text += '.'
        return text.rjust(12) + '    '
    mantissa, exponent = ('%.8e' % v).split('e')
    return (mantissa + 'E' + exponent[0] + exponent[1:].rjust(2, '0')).rjust(16)


def record(*items):
    """One free-form record (without its line end)."""
    out = ''
    previous = None
    for item in items:
        is_text = isinstance(item, str)
        if previous is not None and not (is_text and previous):
            out += ' '
        if is_text:
            out += item
        elif isinstance(item, int):
            out += '%11d' % item
        else:
            out += real16(item)
        previous = is_text
    return ' ' + out


def fixed_real(v, width, decimals):
    """Fw.d field of a 4-byte real."""
    v = f32(v)
    text = '%.*f' % (decimals, v)
    if decimals == 0:
        text += '.'
    if len(text) > width and text.lstrip('-').startswith('0.'):
        text = text.replace('0.', '.', 1)
    if len(text) > width:
        return '*' * width
    return text.rjust(width)


def assert_no_tie(v, decimals):
    """Checks that an Fw.d value is not exactly halfway between two results,
    so that its field does not depend on how ties are rounded."""
    scaled = f32(v) * 10 ** decimals
    assert scaled - math.floor(scaled) != 0.5, 'tie at %r' % v


def array_row(values):
    """One row of an array file: "(326f6.1)" with up to 326 values a record."""
    for v in values:
        assert_no_tie(v, 1)
    fields = [fixed_real(v, 6, 1) for v in values]
    return [''.join(fields[k:k + 326]) for k in range(0, len(fields), 326)]


def group_report(lines_of_groups, tract_rows=None):
    """Records of the group report: the heading, the 5000 group lines from a
    dict {group: (npd, xpd, ypd, pumpgrp, gwretloc, acresloc, authtot)}
    (groups not in it have no records and no authorized acres), then, when
    tract_rows is given, the head of the tract table and its rows."""
    heading = ''.join(t.rjust(w) for t, w in zip(
        (' group', '   npd', '      xpd_ft', '      ypd_ft', '   pumpgrp', '  gwretloc',
         '  acresloc', '   authtot'), (6, 6, 12, 12, 10, 10, 10, 10)))
    records = [heading]
    for g in range(1, 5001):
        npd, xpd, ypd, pumpgrp, gwretloc, acresloc, authtot = lines_of_groups.get(
            g, (0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0))
        for v in (pumpgrp, gwretloc, acresloc, authtot):
            assert_no_tie(v, 2)
        for v in (xpd, ypd):
            assert_no_tie(v, 0)
        records.append('%6d%6d' % (g, npd) + fixed_real(xpd, 12, 0) + fixed_real(ypd, 12, 0)
                       + ''.join(fixed_real(v, 10, 2) for v in (pumpgrp, gwretloc, acresloc, authtot)))
    if tract_rows is not None:
        records.append('')
        records.append('=' * 86)
        records.append(record(' grp', ' twnshp', ' range', ' sect', ' tract', ' authacres', ' fct',
                              ' xloc', ' yloc', ' row', ' col', ' node', ' fct=authacres/authtot',
                              ' ibound(jloc,iloc)', ' npd(grp)', ' xpd(grp)', ' ypd(grp)',
                              ' distpdpu_mi', ' pdrange_mi', ' acres(jloc,iloc)', ' acresloc(grp)',
                              ' ntracts(grp)'))
        records.extend(tract_rows)
    return records


RUN_REPORT_HEADING = record('grp', 'gwloc', 'acloc', 'gwrfnotauth', 'gwacnotauth', 'iloc', 'jloc',
                            'nodena', 'numna')
SUMS_HEADING = record('sums_gwret', 'acloc*qlt.fact.', 'quelta.ac', 'gwretnotauth.',
                      'acresnotauth.')


def header_console(year, factor_text, factor):
    """The console lines up to the authorized acres, for a run that gets that far."""
    return [
        record('run for year ' + year.ljust(4)[:4] + ', quelta factor=' + factor_text.ljust(10)[:10]),
        record(' real version: ', factor),
        record('..Processing year: ', year, ' Quelta gw-ex area fraction=', factor),
        record('..reading ibound'),
        record('..reading county flags'),
        record('..reading monthly factors by county'),
        record('Expected fields: index,may,jun,jul,aug,sep,oct,county'),
        record('..reading quelta points of diversion'),
    ]


def write_text(path, records, line_end):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as out:
        out.write(''.join(r + line_end for r in records).encode('ascii'))


def write_out(dataset, name, records):
    """An output file of the run: every record ends with CR LF."""
    write_text(os.path.join(dataset, 'expected', 'out', name), records, '\r\n')


def write_expected(dataset, stdout, stderr, status):
    write_text(os.path.join(dataset, 'expected', 'stdout'), stdout, '\n')
    write_text(os.path.join(dataset, 'expected', 'stderr'), stderr, '\n')
    write_text(os.path.join(dataset, 'expected', 'status'), [str(status)], '\n')


def plot_records(cells, nrow, ncol, delx, dely, xorigin, yorigin):
    """Plot file records from a list of (row, column, value) of listed cells
    (active, value > 0), given in row order and within a row in column order."""
    out = []
    for row, col, value in cells:
        x = f32((col - 0.5) * delx + xorigin)
        y = f32(((nrow - row + 1) - 0.5) * dely + yorigin)
        out.append(record(x, y, value, row, col, (row - 1) * ncol + col))
    return out
