=PIA
=AGE
=PRE
=FPA
