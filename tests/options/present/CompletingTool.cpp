// The program the completion tests' scripts ask for values.
#include "CompletingTool.h"

int main(int argc, char** argv) {
    return conkit_test::completingTool().parseAndAnswer(argc, argv).value_or(0);
}
