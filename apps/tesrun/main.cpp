#include "foundation/ras.h"
#include "player/ui/player_app.h"

int main(int argc, char** argv) {
    const tessaro::RasBinding dialUp;
    return tessaro::RunPlayer(argc, argv);
}
