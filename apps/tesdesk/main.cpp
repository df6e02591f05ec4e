#include "editor/explorer/editor_app.h"
#include "foundation/ras.h"

int main(int argc, char** argv) {
    const tessaro::RasBinding dialUp;
    return tessaro::RunEditor(argc, argv);
}
