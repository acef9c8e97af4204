# COMUNE DI VERONA's VAT number (customer offset 375) with a wrong check digit.
from check_lib import set_customer

set_customer("COMUNE DI VERONA", 375, b"00215150230")
