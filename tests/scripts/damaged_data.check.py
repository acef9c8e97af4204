# Nothing was posted.
from check_lib import check, read

check("documents", read("qorvana.fte"), b"")
