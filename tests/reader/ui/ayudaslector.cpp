// The reader's test helpers of tests/reader, built into the window tests as well: the test
// programs are made of the files of one folder each.

#include "../guionconversor.cpp"
#include "../partidalectura.cpp"
#include "../pdfprueba.cpp"
