# isomint_strict: what every library and executable of the program is compiled
# with, on top of -Wall -Wextra. Qt's string defines keep every encoding
# explicit; the connect defines tie each connection to a receiver's life and
# refuse narrowing argument conversions.
add_library(isomint_strict INTERFACE)
target_compile_definitions(isomint_strict INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
target_compile_options(isomint_strict INTERFACE
    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -pedantic)
