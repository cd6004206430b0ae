"""Shared by the datasets of the input warnings (tests/data/lint_*): a small
year whose input file holds records as a spreadsheet export writes them, the
values the reading rules take from them, and the rows of the year report's
problems.csv that the input warnings give."""
import os

from yearmodel import run, write_expected, write_inputs, write_lines

REASONS = {
    'null': "null value: the column kept the previous record's value",
    'continued': 'values ran onto the next line',
    'extra': 'more numbers than the read takes',
    'slash': 'a slash ended the record early',
    'decimal-comma': 'semicolons between fields and decimal commas',
    'negative-acres': 'negative acres',
    'month-factor': 'month factor outside 0 to 1',
    'county-sum': 'county factors do not add up to 1 within 0.001',
    'outside-survey': "well outside the survey's extent",
}


def csv_field(text):
    """A CSV field: quoted when it holds a comma or a quote."""
    if ',' not in text and '"' not in text:
        return text
    return '"' + text.replace('"', '""') + '"'


def warning_row(kind, file, line, record, x='', y='', acres=''):
    """A row of problems.csv for an input warning: no group or cell (empty
    fields), nothing placed outside the grid; a well's point and negative
    acres are shown."""
    return ','.join(['warning', csv_field(REASONS[kind]), file, str(line), '', '', '', x, y,
                     '', '', acres, '', '', csv_field(record)])


def write_dataset(folder, year, file, lines, warnings):
    """Writes the dataset: the inputs of `year` with `file` (in work/) replaced
    by the raw `lines`, expected/ from the model run on the values that the
    reading rules take from them (the tuples of `year`), and lint.csv, the
    input-warning rows (kind, line) of the report."""
    write_inputs(folder, year)
    write_lines(os.path.join(folder, 'work', file), lines)
    write_expected(folder, run(year))
    write_lines(os.path.join(folder, 'lint.csv'),
                [warning_row(kind, file, line, lines[line - 1]) for kind, line in warnings])


def write_range_dataset(folder, year, rows):
    """Writes a dataset whose files are written from the values of `year`
    (tests/run/yearmodel.py), expected/ from the model, and lint.csv from
    `rows`: (kind, file, line, extra fields of warning_row). The record texts
    are the lines as written (static/ for the factors, work/ otherwise)."""
    write_inputs(folder, year)
    write_expected(folder, run(year))
    out = []
    for kind, file, line, extra in rows:
        where = 'static' if file == 'monthlyfactorsbycounty.txt' else 'work'
        with open(os.path.join(folder, where, file)) as f:
            text = f.read().splitlines()[line - 1]
        out.append(warning_row(kind, file, line, text, **extra))
    write_lines(os.path.join(folder, 'lint.csv'), out)
