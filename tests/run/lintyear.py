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
}


def csv_field(text):
    """A CSV field: quoted when it holds a comma or a quote."""
    if ',' not in text and '"' not in text:
        return text
    return '"' + text.replace('"', '""') + '"'


def warning_row(kind, file, line, record):
    """A row of problems.csv for an input warning: no group, cell or amount."""
    return ','.join(['warning', csv_field(REASONS[kind]), file, str(line), '', '0', '0', '0', '0',
                     '', '', '', '', csv_field(record)])


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
