# The company's code tables qorvana.tab are missing.
import os
from check_lib import COMPANY

os.remove(os.path.join(COMPANY, "qorvana.tab"))
