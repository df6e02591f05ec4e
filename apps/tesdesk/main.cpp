#include "editor/explorer/editor_app.h"

int main(int argc, char** argv) { return tessaro::RunEditor(argc, argv); }
