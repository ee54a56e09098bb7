#include "service_options.h"

OptionBoxes OptionBoxesFrom(const ParameterSet& params)
{
    return {params.Values[kOptionIndexBox1] != 0, params.Values[kOptionIndexBox2] != 0,
            params.Values[kOptionIndexBox3] != 0};
}

OptionBoxes OptionCheckBoxChanged(ParameterSet& params, int box, OptionBoxes now)
{
    switch (box) {
    case 1:
        params.Values[kOptionIndexBox1] = now.Box1 ? 1 : 0;
        break;
    case 2:
        params.Values[kOptionIndexBox2] = now.Box2 ? 1 : 0;
        if (now.Box2) {
            now.Box3 = false;
            params.Values[kOptionIndexBox3] = 0;
        }
        break;
    case 3:
        params.Values[kOptionIndexBox3] = now.Box3 ? 1 : 0;
        if (now.Box3) {
            now.Box2 = false;
            params.Values[kOptionIndexBox2] = 0;
        }
        break;
    default:
        break;
    }
    return now;
}
