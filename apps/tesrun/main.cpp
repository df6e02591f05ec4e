#include "player/ui/player_app.h"

int main(int argc, char** argv) { return tessaro::RunPlayer(argc, argv); }
