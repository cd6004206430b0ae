"""What the derive.py scripts of the whole-run datasets under tests/data/ share:
the record layouts of the program's files, the texts of its console and
reports, the files written at the end of a year, the writing of a dataset
folder, and a hand-written model of one year's run.

A derive.py writes its dataset in one of two ways:
  * it states the expected records by hand, with the reasoning in comments,
    and uses this module only to lay them out (groups_*, inputs_*);
  * it describes the inputs as a Year, writes them with write_inputs(),
    models the run with run(), asserts the numbers it reasoned by hand
    against the model's records (tracts_*, monthly_*, mi_*).
Either way it ends with write_expected(folder, result). Every script runs on
its own: python3 tests/data/<name>/derive.py.

The layouts and the model follow the program's published rules step by step
(they share no code with the program):
  * every stored real is a 4-byte float, rounded after each +, -, *, /, sqrt
    (f32 below); the cell quotient, the north edge and the cell centres are
    formed in double precision and rounded once;
  * free-form records: a leading blank, integers right-aligned in 11
    characters, reals in 16 characters with 9 significant digits (fixed
    point for 0.1 <= |v| < 1e9 and for zero, else d.ddddddddE+xx), text as
    is, one blank between items except between two texts;
  * fixed fields Iw, Fw.d: rounded to the decimals (exact halves to even on
    the binary value), a leading "0" below 1 when it fits, asterisks when
    the value does not fit;
  * files written end every record with CR LF, console lines with LF.
"""
import importlib.util
import math
import os
import shutil
import struct
import sys

sys.dont_write_bytecode = True   # datasets loaded by load_dataset() leave no cache folders

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data')
N_GROUPS = 5000
N_COUNTIES = 44
UNIT_YEAR = 13          # the pumping file, then the M&I file
UNIT_AUTHACRES = 20
UNIT_COORDS = 21


# ---------------------------------------------------------------- 4-byte reals

def f32(v):
    """The 4-byte float nearest to v."""
    return struct.unpack('f', struct.pack('f', v))[0]


ONE_E_MINUS_6 = f32(1.0e-6)


def miles(dx, dy):
    """The length of (dx, dy) feet in miles, every step a 4-byte operation."""
    return f32(f32(math.sqrt(f32(f32(dx * dx) + f32(dy * dy)))) / 5280.0)


# ---------------------------------------------------------------- record layouts

def real16(v):
    """A 4-byte real in the 16-character free-form layout."""
    v = f32(v)
    if math.isnan(v):
        return 'NaN'.rjust(16)
    if math.isinf(v):
        return ('Infinity' if v > 0 else '-Infinity').rjust(16)
    a = abs(v)
    if v == 0.0:
        text = ('-' if math.copysign(1.0, v) < 0 else '') + '0.00000000'
        return text.rjust(12) + '    '
    if f32(0.1) <= a < 1.0e9:
        if a < 1.0:
            text = '%.9f' % v
        else:
            digits = len('%d' % math.floor(a))
            text = '%.*f' % (9 - digits, v)
            if len(text.lstrip('-').split('.')[0]) > digits:   # carried into a new digit
                text = '%.*f' % (max(0, 8 - digits), v)
            if '.' not in text:
                text += '.'
        return text.rjust(12) + '    '
    return ('%.8E' % v).rjust(16)


def free(*items):
    """One free-form record (without its record end)."""
    out = ' '
    prev = None
    for item in items:
        if isinstance(item, str):
            kind, text = 't', item
        elif isinstance(item, int):
            kind, text = 'i', '%11d' % item
        else:
            kind, text = 'r', real16(item)
        if prev is not None and not (prev == 't' and kind == 't'):
            out += ' '
        out += text
        prev = kind
    return out


def fixed_real(v, w, d):
    """A 4-byte real in an Fw.d field."""
    v = f32(v)
    if math.isnan(v):
        return 'NaN'.rjust(w)
    if math.isinf(v):
        if v > 0:
            return ('Infinity' if w > 7 else 'Inf').rjust(w)
        return ('-Infinity' if w > 8 else '-Inf').rjust(w)
    text = '%.*f' % (d, v)
    if d == 0:
        text += '.'
    if len(text) > w and text.startswith('0.'):
        text = text[1:]
    if len(text) > w and text.startswith('-0.'):
        text = '-' + text[2:]
    if len(text) > w:
        return '*' * w
    return text.rjust(w)


def assert_no_tie(v, d):
    """Checks that v is not exactly halfway between two Fw.d results, so that
    a field stated by hand does not depend on how ties are rounded."""
    scaled = f32(v) * 10 ** d
    assert scaled - math.floor(scaled) != 0.5, 'tie at %r' % v


def f61_records(values, no_ties=False):
    """One grid row written with "(326f6.1)": 326 fields a record."""
    if no_ties:
        for v in values:
            assert_no_tie(v, 1)
    return [''.join(fixed_real(v, 6, 1) for v in values[start:start + 326])
            for start in range(0, max(len(values), 1), 326)]


def i2_records(values):
    """One grid row in the "(326i2)" layout of the grid files."""
    return [''.join('%2d' % v for v in values[start:start + 326])
            for start in range(0, len(values), 326)]


def real_text(v):
    """How a real is written in an input file."""
    return repr(float(v))


# ---------------------------------------------------------------- dataset folders

class RunError(Exception):
    """The run cannot go on: location is the first line of its report on
    standard error, message the text after "Error: "."""

    def __init__(self, location_line, message):
        super().__init__(message)
        self.location, self.message = location_line, message


class Result:
    """What a run leaves: its console lines, its standard error lines, its exit
    status and the records of every file in out/."""

    def __init__(self, stdout=(), stderr=(), status=0):
        self.stdout, self.stderr = list(stdout), list(stderr)
        self.status = status
        self.files = {}          # name below out/ -> list of records

    def console(self, *items):
        self.stdout.append(free(*items))

    def file(self, name):
        return self.files.setdefault(name, [])

    def stop(self, error):
        """The run ends with the two-line report of error and exit status 2."""
        self.stderr += [error.location, 'Error: ' + error.message]
        self.status = 2


def write_lines(path, lines):
    """A text file whose every line ends with LF: an input table, the console, the status."""
    with open(path, 'w', newline='\n') as out:
        out.write(''.join(line + '\n' for line in lines))


def write_expected(folder, result):
    """Write expected/ of a dataset: stdout, stderr, status and out/."""
    expected = os.path.join(folder, 'expected')
    if os.path.isdir(expected):
        shutil.rmtree(expected)
    os.makedirs(expected)
    write_lines(os.path.join(expected, 'stdout'), result.stdout)
    write_lines(os.path.join(expected, 'stderr'), result.stderr)
    write_lines(os.path.join(expected, 'status'), ['%d' % result.status])
    if result.files:
        os.makedirs(os.path.join(expected, 'out'))
        for name, records in result.files.items():
            with open(os.path.join(expected, 'out', name), 'w', newline='') as out:
                out.write(''.join(rec + '\r\n' for rec in records))


def load_dataset(name):
    """The derive.py of the dataset tests/data/<name> as a module (its part
    under `if __name__ == '__main__'` does not run)."""
    found = importlib.util.spec_from_file_location('derive_' + name,
                                                  os.path.join(DATA, name, 'derive.py'))
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


# ---------------------------------------------------------------- console and report texts

def year_text(year):
    """The year as it stands in file names: its first four characters."""
    return year[:4].ljust(4)


def quelta_factor(factor_text):
    """The exchange-area factor read from the first ten characters of its argument."""
    text = factor_text[:10].strip()
    return f32(float(text) if text else 0.0)


def console_start(year, factor_text):
    """The console lines up to the authorized acres, for a run that gets that far."""
    q = quelta_factor(factor_text)
    return [
        free('run for year ' + year_text(year) + ', quelta factor=' + factor_text[:10].ljust(10)),
        free(' real version: ', q),
        free('..Processing year: ', year_text(year), ' Quelta gw-ex area fraction=', q),
        free('..reading ibound'),
        free('..reading county flags'),
        free('..reading monthly factors by county'),
        free('Expected fields: index,may,jun,jul,aug,sep,oct,county'),
        free('..reading quelta points of diversion'),
    ]


READING_AUTHACRES = [free('..reading authorized acres by group'),
                     free('Expected fields: grp,twnshp,range,sect,tract,authacres')]


def console_until_pumping(year, factor_text, sumauth):
    """The console lines up to "..reading pumping file", for a run whose
    authorized acres (sum sumauth) are read to the end."""
    return console_start(year, factor_text) + READING_AUTHACRES + [
        free('sum authorized acres by group = ', sumauth),
        free('..reading pumping file')]


def console_until_tracts(year, factor_text, sumauth, sums, sumacresloc, notes=(), largest=0):
    """The console lines up to "..reading coordinates of 40-acre tracts", for a
    run whose pumping file is read to the end: notes are the lines written
    while reading it, sums its five sums, sumacresloc the sum over the groups'
    acres; largest is the largest group number in the authorized acres (a
    WARNING line when above 5000)."""
    lines = console_until_pumping(year, factor_text, sumauth) + list(notes) + [
        free('sums (sumgwret, sumacres,queltaacres,'),
        free('      gwretnotauthorized, acresnotauthorized): '),
        free(*sums),
        free('sum over acresloc(grp):', sumacresloc)]
    if largest > N_GROUPS:
        lines.append(free('WARNING: largest group no.', largest,
                          ' exceeds array dimension limit nGroups,', N_GROUPS))
    return lines + [free('..reading coordinates of 40-acre tracts')]


def missing_file_warning(path):
    return "Warning: file '%s' does not exist; read as an empty file" % path


def location(line, unit=None, path=None):
    """The first line of the report of a run that cannot go on: with the unit
    and path of a file whose read or write failed or that could not be opened;
    without them for an index outside a table, where line is the number of the
    record just read (0 when none is at hand)."""
    text = 'At line %d of file tessadrov11' % line
    if unit is not None:
        text += ' (unit = %d' % unit + (", file = '%s')" % path if path is not None else ')')
    return text


RUN_REPORT_HEADING = free('grp', 'gwloc', 'acloc', 'gwrfnotauth', 'gwacnotauth', 'iloc', 'jloc',
                          'nodena', 'numna')
SUMS_HEADING = free('sums_gwret', 'acloc*qlt.fact.', 'quelta.ac', 'gwretnotauth.', 'acresnotauth.')
REASSIGN_HEADING = [free('reassign unauthorized place of use to pd'),
                    free('idxna', ' grpna(idxna)', ' reassgn')]
GROUP_REPORT_HEADING = ''.join(t.rjust(w) for t, w in zip(
    (' group', '   npd', '      xpd_ft', '      ypd_ft', '   pumpgrp', '  gwretloc', '  acresloc',
     '   authtot'), (6, 6, 12, 12, 10, 10, 10, 10)))
TRACT_TABLE_HEAD = ['', '=' * 86, free(
    ' grp', ' twnshp', ' range', ' sect', ' tract', ' authacres', ' fct', ' xloc', ' yloc', ' row',
    ' col', ' node', ' fct=authacres/authtot', ' ibound(jloc,iloc)', ' npd(grp)', ' xpd(grp)',
    ' ypd(grp)', ' distpdpu_mi', ' pdrange_mi', ' acres(jloc,iloc)', ' acresloc(grp)',
    ' ntracts(grp)')]


def open_reports(r, year):
    """The run report (with its heading), the check report and the group report
    (with its heading), which a run opens before it reads the pumping file;
    returns the run report and the group report."""
    report = r.file('output%s.dat' % year_text(year))
    report.append(RUN_REPORT_HEADING)
    r.file('check%s.out' % year_text(year))
    groups = r.file('authacres%s.out' % year_text(year))
    groups.append(GROUP_REPORT_HEADING)
    return report, groups


def group_line(g, npd, xpd, ypd, pumpgrp, gwretloc, acresloc, authtot):
    """The line of group g in the group report."""
    return ('%6d%6d' % (g, npd) + fixed_real(xpd, 12, 0) + fixed_real(ypd, 12, 0)
            + ''.join(fixed_real(v, 10, 2) for v in (pumpgrp, gwretloc, acresloc, authtot)))


def group_report(groups, tract_rows=None):
    """The group report stated by hand: the heading, the 5000 group lines from
    a dict {group: (npd, xpd, ypd, pumpgrp, gwretloc, acresloc, authtot)}
    (groups not in it have no records and no authorized acres), then, when
    tract_rows is given, the head of the tract table and its rows. No value
    may fall on a rounding tie of its field."""
    records = [GROUP_REPORT_HEADING]
    for g in range(1, N_GROUPS + 1):
        line = groups.get(g, (0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0))
        for v in line[1:3]:
            assert_no_tie(v, 0)
        for v in line[3:]:
            assert_no_tie(v, 2)
        records.append(group_line(g, *line))
    if tract_rows is not None:
        records += TRACT_TABLE_HEAD + tract_rows
    return records


# ---------------------------------------------------------------- the grid and the end of a year

def one_based(quotient):
    """truncate(quotient) + 1 as 4-byte integers: the truncation goes toward
    zero, and a quotient that is NaN or beyond the integer range gives
    -2147483648 (the processor's invalid result, which raises the invalid-
    operation flag); the + 1 wraps around like 4-byte arithmetic."""
    if quotient != quotient or not -2147483649.0 < quotient < 2147483648.0:
        t = -2147483648
    else:
        t = int(quotient)
    return (t + 1 + 2**31) % 2**32 - 2**31


class Grid:
    """The model grid: nrow x ncol cells of delx x dely feet whose south-west
    corner is (xorigin, yorigin); ibound is a list of rows (row 1 first, the
    northernmost), each a list of values for columns 1 to ncol."""

    def __init__(self, nrow, ncol, delx, dely, xorigin, yorigin, ibound):
        self.nrow, self.ncol = nrow, ncol
        self.delx, self.dely = f32(delx), f32(dely)
        self.xorigin, self.yorigin = f32(xorigin), f32(yorigin)
        self.ibound = ibound
        self.ytop = f32(nrow * self.dely + self.yorigin)

    def locate(self, x, y):
        """(column, row) of the point (x, y); off the grid when out of range."""
        dx = f32(x - self.xorigin)
        dy = f32(self.ytop - y)
        return one_based(dx / self.delx), one_based(dy / self.dely)

    def centre(self, col, row):
        return (f32((col - 0.5) * self.delx + self.xorigin),
                f32(((self.nrow - row + 1) - 0.5) * self.dely + self.yorigin))

    def ib(self, col, row):
        return self.ibound[row - 1][col - 1]

    def cells(self):
        """(column, row) of every cell in row order."""
        return [(col, row) for row in range(1, self.nrow + 1) for col in range(1, self.ncol + 1)]

    def rows(self, values):
        """The values of a dict {(column, row): value} as a list of rows, 0.0 where absent."""
        return [[values.get((col, row), 0.0) for col in range(1, self.ncol + 1)]
                for row in range(1, self.nrow + 1)]


def total(values, grid):
    """The 4-byte sum of a grid of values in row order."""
    s = 0.0
    for cell in grid.cells():
        s = f32(s + values.get(cell, 0.0))
    return s


def write_plot(r, name, grid, values):
    """A plot file: x, y, value, row, column, node of every active cell whose value is above 0."""
    records = r.file(name)
    for col, row in grid.cells():
        v = values.get((col, row), 0.0)
        if grid.ib(col, row) != 0 and v > 0.0:
            records.append(free(*grid.centre(col, row), v, row, col, (row - 1) * grid.ncol + col))


def write_array(r, name, rows, no_ties=False):
    """An array file of the rows of values; each row is a function that gives its
    values, so that a run stopped inside a row leaves the rows before it."""
    records = r.file(name)
    wide = 0
    for values_of_row in rows:
        values = values_of_row()
        records.extend(f61_records(values, no_ties))
        wide += sum(1 for v in values if fixed_real(v, 6, 1) == '******')
    if wide:
        r.stderr.append("Warning: %d value(s) too wide for F6.1 written as ****** in 'out/%s'"
                        % (wide, name))


def write_plot_files(r, grid, year, pump, gwret, acres):
    r.console('..writing plot files')
    write_plot(r, 'pumpgrid%s.dat' % year_text(year), grid, pump)
    write_plot(r, 'gwretgrid%s.dat' % year_text(year), grid, gwret)
    write_plot(r, 'acresgrid%s.dat' % year_text(year), grid, acres)


def write_monthly_files(r, grid, year, pump, gwret, acres, county, factors, no_ties=False):
    """The pumping and recharge arrays of May to October, the acres array and
    their sums in the check report. county is a list of rows of county
    numbers (0 takes county 1); factors maps a county number to its six
    factors, May to October. A county outside 1 to 44 stops the run."""
    chyear = year_text(year)
    check = r.file('check%s.out' % chyear)

    def month_values(values, row, m, sums):
        out = []
        for col in range(1, grid.ncol + 1):
            w = 0.0
            v = values.get((col, row), 0.0)
            if v > 0.0:
                c = county[row - 1][col - 1] or 1
                if c < 1:
                    raise RunError(location(0), "Index '%d' of dimension 1 of array 'xmonfactors' "
                                   'below lower bound of 1' % c)
                if c > N_COUNTIES:
                    raise RunError(location(0), "Index '%d' of dimension 1 of array 'xmonfactors' "
                                   'above upper bound of %d' % (c, N_COUNTIES))
                w = f32(v * f32(factors[c][m - 5]))
                sums[0] = f32(sums[0] + w)
            out.append(w)
        return out

    def monthly(name, values, m):
        """Writes one monthly array; returns the month's sum."""
        check.append(free(name))
        sums = [0.0]
        write_array(r, name, [lambda row=row: month_values(values, row, m, sums)
                              for row in range(1, grid.nrow + 1)], no_ties)
        return sums[0]

    r.console('..writing pmp, rcg, and agw files')
    season_pump = season_rch = 0.0
    for m in range(5, 11):
        psum = monthly('%s.%02d.pmp' % (chyear, m), pump, m)
        rsum = monthly('%s.%02d.rcg' % (chyear, m), gwret, m)
        check.append(free(m, psum, rsum))
        season_pump = f32(season_pump + psum)
        season_rch = f32(season_rch + rsum)
    write_array(r, '%s.agw' % chyear, [lambda v=v: v for v in grid.rows(acres)], no_ties)
    check += [free('pumping'), free(season_pump), free('gw returns'), free(season_rch),
              free('gw acres'), free(total(acres, grid))]


def write_mi_files(r, grid, year, count, pumpmi, no_ties=False):
    """What follows the reading of count M&I records that put pumpmi into cells."""
    chyear = year_text(year)
    r.console(count, ' m&i recs read')
    r.console('..write mi plot file')
    write_plot(r, '%smigrid.dat' % chyear, grid, pumpmi)
    write_array(r, '%s.mi' % chyear, [lambda v=v: v for v in grid.rows(pumpmi)], no_ties)
    r.file('check%s.out' % chyear).extend([free('m&i pumping'), free(total(pumpmi, grid))])


def end_of_year(r, grid, year, pump, gwret, acres, county, factors):
    """For records stated by hand: everything a run without M&I records
    writes after the tract coordinates, from the final pumping, return flow
    and acres of the cells (dicts {(column, row): value}); a county outside
    the factor table stops it. No array value may fall on a rounding tie."""
    try:
        write_plot_files(r, grid, year, pump, gwret, acres)
        write_monthly_files(r, grid, year, pump, gwret, acres, county, factors, no_ties=True)
        r.console('..reading m&i file')
        write_mi_files(r, grid, year, 0, {}, no_ties=True)
    except RunError as e:
        r.stop(e)


# ---------------------------------------------------------------- inputs of a modelled year

class Malformed:
    """A record that does not read: item `item` is not a number of its type."""

    def __init__(self, text, item, kind):
        self.text, self.item, self.kind = text, item, kind

    def message(self):
        if self.kind == 'integer':
            return 'Bad integer for item %d in list input' % self.item
        return 'Bad real number in item %d of list input' % self.item


class Truncated:
    """A last record that the end of the file cuts short: it is not read."""

    def __init__(self, text):
        self.text = text


COUNTY_1_FACTORS = (0.1, 0.15, 0.2, 0.25, 0.2, 0.1)
OTHER_FACTORS = (0.2, 0.2, 0.2, 0.2, 0.1, 0.1)


def county_factors(*first):
    """The factor table (May to October) of the 44 counties: the given factors
    for counties 1, 2, ..., OTHER_FACTORS for the rest."""
    return list(first) + [OTHER_FACTORS] * (N_COUNTIES - len(first))


class Year:
    """Everything one run reads. Grids are lists of rows (row 1 first), each a
    list of values for columns 1 to ncol.

    authacres: list of (grp, twnshp, range, sect, tract, authacres), or None
               when the file is missing.
    pumping:   list of (grp, pdid, x, y, v5, text2, pumploc, gwloc, acloc), or None.
    mi:        list of (id1, id2, x, y, a, b, c, amount), or None; the list may
               hold a Malformed record, and end with a Truncated one.
    coords:    list of (twnshp, range, sect, tract, x, y); an entry may be a
               Malformed record, written as its text; None when the file
               is missing.
    factors:   44 tuples of six factors (May to October); by default county 1
               has COUNTY_1_FACTORS and every other county OTHER_FACTORS.
    pdivs:     the exchange-area identifiers (none by default).
    """

    def __init__(self, *, year, factor, nrow, ncol, delx, dely, xorigin, yorigin,
                 ibound, icty, coords, authacres, pumping, mi, factors=None, pdivs=()):
        self.year, self.factor = year, factor
        self.grid = Grid(nrow, ncol, delx, dely, xorigin, yorigin, ibound)
        self.icty = icty
        self.factors = factors if factors is not None else county_factors(COUNTY_1_FACTORS)
        self.pdivs, self.coords = pdivs, coords
        self.authacres, self.pumping, self.mi = authacres, pumping, mi


def small_year(**changes):
    """The small year several datasets start from, with the given changes:
    2010, factor 1.0; 2 x 2 cells of 500 ft from (0,0), all active, all of
    county 1 (COUNTY_1_FACTORS); no exchange-area identifier; group 8 has one
    tract (3,3,3,3) of 40 acres at (750,250), in cell (2,2), and one well 801
    at (250,750), in cell (1,1), pumping 400, return flow 80, 40 acres; no M&I
    file."""
    args = dict(year='2010', factor='1.0',
                nrow=2, ncol=2, delx=500.0, dely=500.0, xorigin=0.0, yorigin=0.0,
                ibound=[[1, 1], [1, 1]], icty=[[1, 1], [1, 1]],
                coords=[(3, 3, 3, 3, 750.0, 250.0)],
                authacres=[(8, 3, 3, 3, 3, 40.0)],
                pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0)],
                mi=None)
    args.update(changes)
    return Year(**args)


def _input_line(rec):
    if isinstance(rec, str):
        return rec
    if isinstance(rec, (Malformed, Truncated)):
        return rec.text
    return ' '.join(real_text(v) if isinstance(v, float) else str(v) for v in rec)


def write_inputs(folder, y, header='county flags'):
    """Write args, static/ and work/ of a dataset from the Year y."""
    static = os.path.join(folder, 'static')
    work = os.path.join(folder, 'work')
    for d in (static, work):
        if os.path.isdir(d):
            shutil.rmtree(d)
        os.makedirs(d)
    g = y.grid
    write_lines(os.path.join(folder, 'args'), [y.year, y.factor])
    write_lines(os.path.join(static, 'tessadro.par'), [
        '%d %d' % (g.nrow, g.ncol),
        '%s %s' % (real_text(g.delx), real_text(g.dely)),
        '%s %s' % (real_text(g.xorigin), real_text(g.yorigin))])
    write_lines(os.path.join(static, '02.ibound'), [rec for row in g.ibound for rec in i2_records(row)])
    write_lines(os.path.join(static, 'cty.flg'),
                [header] + [rec for row in y.icty for rec in i2_records(row)])
    write_lines(os.path.join(static, 'monthlyfactorsbycounty.txt'),
                ['%d,%s,county%02d' % (k + 1, ','.join(real_text(v) for v in f), k + 1)
                 for k, f in enumerate(y.factors)])
    write_lines(os.path.join(static, 'queltapdivs.txt'), [str(len(y.pdivs))] + [str(p) for p in y.pdivs])
    if y.coords is not None:
        write_lines(os.path.join(static, '40coords.dat'), [_input_line(r) for r in y.coords])
    chyear = year_text(y.year)
    for name, recs in (('authacres%s.txt' % chyear, y.authacres),
                       ('tessadro%s.txt' % chyear, y.pumping),
                       ('%smi.txt' % chyear, y.mi)):
        if recs is not None:
            write_lines(os.path.join(work, name), [_input_line(r) for r in recs])
    if not os.listdir(work):
        os.rmdir(work)


# ---------------------------------------------------------------- the model of a run

def assert_stopped(result, stderr, last_console):
    """Checks that a modelled run ended with exit status 2, the two lines stderr
    on standard error and the console line last_console (its text)."""
    assert result.status == 2, result.status
    assert result.stderr == stderr, result.stderr
    assert result.stdout[-1] == free(last_console), result.stdout[-1]


def run(y):
    """Model the whole run on the Year y; returns a Result."""
    r = Result()
    try:
        _run(y, r)
    except RunError as e:
        r.stop(e)
    return r


def _run(y, r):
    grid = y.grid
    chyear = year_text(y.year)
    q = quelta_factor(y.factor)
    # The console lines up to the tract coordinates are written at once when
    # the pumping file has been read; a run stopped in the authorized acres
    # gets these.
    r.stdout += console_start(y.year, y.factor) + READING_AUTHACRES

    # Authorized acres, first pass.
    authtot = [0.0] * (N_GROUPS + 1)
    authfile = 'authacres%s.txt' % chyear
    if y.authacres is None:
        r.stderr.append(missing_file_warning(authfile))
    sumauth = 0.0
    largest = 0
    auth = y.authacres or []
    for n, rec in enumerate(auth, 1):
        grp, a = rec[0], f32(rec[5])
        largest = max(largest, grp)
        if grp > N_GROUPS:
            sumauth = f32(sumauth + a)
        elif grp < 1:
            raise RunError(location(n),
                           "Index '%d' of dimension 1 of array 'authtot' below lower bound of 1" % grp)
        else:
            authtot[grp] = f32(authtot[grp] + a)
            sumauth = f32(sumauth + a)

    def no_auth(g):
        return abs(authtot[g]) < ONE_E_MINUS_6

    # Pumping file.
    pumpfile = 'tessadro%s.txt' % chyear
    if y.pumping is None:
        r.stderr.append(missing_file_warning(pumpfile))
    report, groups = open_reports(r, y.year)
    notes = []
    nmsg = 0
    pump = {}
    gwret = {}
    acres = {}
    npd = [0] * (N_GROUPS + 1)
    xpd = [0.0] * (N_GROUPS + 1)
    ypd = [0.0] * (N_GROUPS + 1)
    box = {}
    pumpgrp = [0.0] * (N_GROUPS + 1)
    gwretloc = [0.0] * (N_GROUPS + 1)
    acresloc = [0.0] * (N_GROUPS + 1)
    pdrange = [0.0] * (N_GROUPS + 1)
    sumgwret = sumacres = queltaacres = gwna = acna = 0.0
    na = []
    for rec in (y.pumping or []):
        grp, pdid = rec[0], rec[1]
        x, yy, pumploc, gwloc, acloc = (f32(rec[2]), f32(rec[3]), f32(rec[6]),
                                        f32(rec[7]), f32(rec[8]))
        col, row = grid.locate(x, yy)
        if not (1 <= col <= grid.ncol and 1 <= row <= grid.nrow):
            nmsg += 1
            report.append(free(nmsg, row, col, ' pumping'))
            continue
        if grid.ib(col, row) == 0:
            nmsg += 1
            report.append(free(row, col, pumploc, ' pumping'))
            continue
        if pumploc > 0.0:
            pump[(col, row)] = f32(pump.get((col, row), 0.0) + pumploc)
        assert 1 <= grp <= N_GROUPS, 'group numbers that stop the run are not modelled'
        npd[grp] += 1
        xpd[grp] = f32(xpd[grp] + x)
        ypd[grp] = f32(ypd[grp] + yy)
        if npd[grp] == 1:
            box[grp] = [x, x, yy, yy]
        else:
            b = box[grp]
            b[0], b[1] = min(b[0], x), max(b[1], x)
            b[2], b[3] = min(b[2], yy), max(b[3], yy)
        pumpgrp[grp] = f32(pumpgrp[grp] + pumploc)
        gwretloc[grp] = f32(gwretloc[grp] + gwloc)
        acfact = 1.0
        for p in y.pdivs:
            if p == pdid:
                acfact = q
                queltaacres = f32(queltaacres + acloc)
                if no_auth(grp):
                    notes.append(free('grp ', grp, ' gwret ', gwloc, ' acloc ', acloc))
        scaled = f32(acloc * acfact)
        acresloc[grp] = f32(acresloc[grp] + scaled)
        sumacres = f32(sumacres + scaled)
        sumgwret = f32(sumgwret + gwloc)
        if no_auth(grp):
            node = (row - 1) * grid.ncol + col
            acna = f32(acna + scaled)
            gwna = f32(gwna + gwloc)
            na.append((grp, node, scaled, gwloc))
            report.append(free(grp, gwloc, acloc, gwna, acna, row, col, node, len(na)))

    # Group report and sums.
    sums = (sumgwret, sumacres, queltaacres, gwna, acna)
    report += [SUMS_HEADING, free(*sums)]
    sumacresloc = 0.0
    for g in range(1, N_GROUPS + 1):
        sumacresloc = f32(sumacresloc + acresloc[g])
        if npd[g] > 1:
            xpd[g] = f32(xpd[g] / npd[g])
            ypd[g] = f32(ypd[g] / npd[g])
            b = box[g]
            pdrange[g] = miles(f32(b[1] - b[0]), f32(b[3] - b[2]))
        groups.append(group_line(g, npd[g], xpd[g], ypd[g], pumpgrp[g], gwretloc[g], acresloc[g],
                                 authtot[g]))
    r.stdout = console_until_tracts(y.year, y.factor, sumauth, sums, sumacresloc, notes, largest)

    # Tract coordinates.
    bounds = (20, 45, 36, 16)

    def check_survey(nums, where):
        for dim in (4, 3, 2, 1):
            v = nums[dim - 1]
            if v < 1:
                raise RunError(where, "Index '%d' of dimension %d of array 'xcoord' below lower bound of 1"
                               % (v, dim))
            if v > bounds[dim - 1]:
                raise RunError(where, "Index '%d' of dimension %d of array 'xcoord' above upper bound of %d"
                               % (v, dim, bounds[dim - 1]))

    if y.coords is None:
        raise RunError(location(0, UNIT_COORDS), "File 'static/40coords.dat' does not exist")
    coords = {}
    for n, rec in enumerate(y.coords, 1):
        where = location(n, UNIT_COORDS, 'static/40coords.dat')
        if isinstance(rec, Malformed):
            raise RunError(where, rec.message())
        check_survey(rec[:4], location(n))
        coords[tuple(rec[:4])] = (f32(rec[4]), f32(rec[5]))

    # Distribution of group totals to tracts.
    ntracts = [0] * (N_GROUPS + 1)
    groups += TRACT_TABLE_HEAD
    for n, rec in enumerate(auth, 1):
        grp, tw, rg, sc, tr = rec[:5]
        a = f32(rec[5])
        if grp > N_GROUPS:
            continue
        check_survey((tw, rg, sc, tr), location(n))
        xloc, yloc = coords.get((tw, rg, sc, tr), (0.0, 0.0))
        if npd[grp] > 0:
            dist = miles(f32(xpd[grp] - xloc), f32(ypd[grp] - yloc))
        else:
            dist = 0.0
        ntracts[grp] += 1
        col, row = grid.locate(xloc, yloc)
        node = (row - 1) * 326 + col
        fct = 0.0 if no_auth(grp) else f32(a / authtot[grp])
        if col < 1 or col > grid.ncol:
            nmsg += 1
            report.append(free(nmsg, row, col, ' return flow 1'))
            continue
        if row < 1 or row > grid.nrow:
            nmsg += 1
            report.append(free(nmsg, row, col, 'return flow '))
            continue
        gshare, ashare = f32(gwretloc[grp] * fct), f32(acresloc[grp] * fct)
        if grid.ib(col, row) == 0:
            nmsg += 1
            report.append(free(grp, tr, row, col, gshare, ashare, 'I'))
            continue
        gwret[(col, row)] = f32(gwret.get((col, row), 0.0) + gshare)
        acres[(col, row)] = f32(acres.get((col, row), 0.0) + ashare)
        groups.append(free(grp, tw, rg, sc, tr, a, fct, xloc, yloc, row, col, node, fct,
                           grid.ib(col, row), npd[grp], xpd[grp], ypd[grp], dist, pdrange[grp],
                           acres[(col, row)], acresloc[grp], ntracts[grp]))

    # Reassignment of records without authorized acres.
    if na:
        report += REASSIGN_HEADING
        for idx, (grp, node, acl, gwl) in enumerate(na, 1):
            row, col = (node - 1) // grid.ncol + 1, (node - 1) % grid.ncol + 1
            have = acres.get((col, row), 0.0)
            if have < 640.0:
                reassgn = min(f32(640.0 - have), acl)
                acres[(col, row)] = f32(have + reassgn)
                gwret[(col, row)] = f32(gwret.get((col, row), 0.0) + gwl)
            else:
                reassgn = 0.0
            report.append(free(idx, grp, reassgn))

    # Plot files and monthly arrays.
    write_plot_files(r, grid, y.year, pump, gwret, acres)
    write_monthly_files(r, grid, y.year, pump, gwret, acres, y.icty,
                        {k + 1: f for k, f in enumerate(y.factors)})

    # Municipal and industrial pumping.
    r.console('..reading m&i file')
    mifile = '%smi.txt' % chyear
    if y.mi is None:
        r.stderr.append(missing_file_warning(mifile))
    count = 0
    offgrid = 0.0
    pumpmi = {}
    for n, rec in enumerate(y.mi or [], 1):
        if isinstance(rec, Truncated):
            break
        if isinstance(rec, Malformed):
            raise RunError(location(n, UNIT_YEAR, mifile), rec.message())
        id1, id2 = rec[0], rec[1]
        x, yy, amount = f32(rec[2]), f32(rec[3]), f32(rec[7])
        count += 1
        col, row = grid.locate(x, yy)
        if not (1 <= col <= grid.ncol and 1 <= row <= grid.nrow):
            nmsg += 1
            offgrid = f32(offgrid + amount)
            report.append(free(nmsg, row, col, id1, id2, amount, offgrid, ' miloc'))
        elif grid.ib(col, row) == 0:
            nmsg += 1
            report.append(free(nmsg, col, row, ' miloc'))
        elif amount > 0.0:
            pumpmi[(col, row)] = f32(pumpmi.get((col, row), 0.0) + amount)
    write_mi_files(r, grid, y.year, count, pumpmi)
