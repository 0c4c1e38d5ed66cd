# Writes the seed workbook of the spreadsheet fuzzer (fuzz/corpus/spreadsheet/socios.xls):
#   /usr/bin/python3 fuzz/spreadsheet_seed.py fuzz/corpus/spreadsheet/socios.xls   (python3-xlwt)
import datetime
import sys

import xlwt

book = xlwt.Workbook()
sheet = book.add_sheet('Socios')
dates = xlwt.easyxf(num_format_str='dd/mm/yyyy')
rows = [('01', '1', '40000001', 'ANA', datetime.date(1970, 3, 15), '9589', 40.5, datetime.date(2000, 2, 1)),
        ('02', '6', '20100047218', 'EMPRESA SAC', '', '9589', 59.5, datetime.date(2001, 2, 1))]
for r, row in enumerate(rows):
    for c, value in enumerate(row):
        sheet.write(3 + r, c, value, dates if isinstance(value, datetime.date) else xlwt.Style.default_style)
sheet.write(5, 0, 'TOTAL')
book.save(sys.argv[1])
