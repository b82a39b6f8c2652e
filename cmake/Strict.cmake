# isomint_strict: what every target of the program is compiled with, on top of
# -Wall -Wextra. Qt's string and connect defines keep encodings explicit and
# every connection tied to a receiver's life.
add_library(isomint_strict INTERFACE)
