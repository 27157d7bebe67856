// Arguments in [0, pi] whose sine or cosine lies closest to halfway between
// two doubles: after the rounding bit, 46 to 59 bits are all alike. A sample of
// the worst cases found by Vincent Lefevre's exhaustive search (testlibm
// data, as listed by the CORE-MATH project), spread over the exponents.
#pragma once

namespace trig_test {

inline constexpr double kHardSineArguments[] = {
    0x1.005023d32fee5p+1,  0x1.00874a5f9fc33p-13, 0x1.009ee184a02e7p-8,  0x1.00e730f98fd44p-9,
    0x1.0102947e7003bp-3,  0x1.0192deafac33fp+0,  0x1.034c2318b3f2dp+0,  0x1.039d88c480fccp-22,
    0x1.04394261cffa6p-1,  0x1.043e268ba402ap+1,  0x1.05149eefb774ap-1,  0x1.0518fffe634f2p-2,
    0x1.057e5c72ad274p+0,  0x1.06800e629d672p-23, 0x1.06800e629d673p-23, 0x1.07d5978b896fcp+0,
    0x1.07edc73037d32p+1,  0x1.08c495b034a31p+0,  0x1.093026e62d889p+1,  0x1.0aedf4dd4ccf8p-2,
    0x1.0ba1b997d2e32p+0,  0x1.0d80ff9981295p+0,  0x1.0e9f8bb095163p+1,  0x1.0eb0a4929f5afp-1,
    0x1.104614176463ep+0,  0x1.1065078d33361p+1,  0x1.10b4048d92a67p+1,  0x1.1398b2271821p+0,
    0x1.156eb7ebe052ep-1,  0x1.164149539c81dp+1,  0x1.17ea5cdc2dfabp-2,  0x1.184a0aa58191ep-24,
    0x1.184a0aa58191fp-24, 0x1.184a0aa58192p-24,  0x1.184a0aa581921p-24, 0x1.191e692fcac47p-2,
    0x1.1acbd0dc6d5c2p-1,  0x1.1b44eae436cb3p-1,  0x1.1da5d5a23306dp+0,  0x1.1ef3fcf9c2943p-1,
    0x1.1fa6b462b1c81p+1,  0x1.203cb9cfd8df4p-1,  0x1.222e07323e776p-1,  0x1.23f40dccdef72p+0,
    0x1.2645db00c9b84p+1,  0x1.273a233829bc6p+0,  0x1.276d5c5c9df2cp+1,  0x1.28fef55a2d3a4p-1,
    0x1.29b798b1566fcp+1,  0x1.2b355124f0498p-1,  0x1.2daf8e028c6c9p+0,  0x1.2e8439fd922dep+1,
    0x1.2ebea3f228638p+1,  0x1.2f2cc9bd434fbp+1,  0x1.30c7efbee12acp-24, 0x1.31a22ec73dd62p+1,
    0x1.34b19761f1f4bp+0,  0x1.36bd8001bb569p+1,  0x1.3721d2f8b5805p-1,  0x1.3aff240e7a743p+1,
    0x1.3b727649b9393p+0,  0x1.407f8eb75c76p+1,   0x1.45dd7c26e54b9p-24, 0x1.46552b86d2836p+1,
    0x1.49a4334fee0f3p+1,  0x1.4b6ccc52c899cp-1,  0x1.4bcc0c8872f76p+1,  0x1.4e644e05f6f29p+1,
    0x1.504e02d68ac0bp-1,  0x1.5473f39abf1e6p+0,  0x1.553151fbcd204p+0,  0x1.55b92c74d29cbp+1,
    0x1.57006c1b011c8p+0,  0x1.57103291e1dc5p-1,  0x1.57d2baabad457p+1,  0x1.58868e3115187p-24,
    0x1.5a6f19f60d638p-1,  0x1.5c68997fe1bdap+0,  0x1.5d9b876341713p+1,  0x1.5e5fe5d033da6p+0,
    0x1.63ee34129c226p-1,  0x1.6417b6cbed906p-1,  0x1.65ddbedbb99d2p-1,  0x1.695b9b149a438p-24,
    0x1.6a8730cd13abcp-1,  0x1.6ebdedd37ba17p+1,
};

inline constexpr double kHardCosineArguments[] = {
    0x1.0009effd4bedap-12, 0x1.00147eec5cfa5p+0,  0x1.00786b0bf421p-2,   0x1.0155dcbae56fdp-2,
    0x1.0203b71ba100fp-1,  0x1.03f81f636b80cp-24, 0x1.03f81f636b80dp-24, 0x1.05871c6ef5f9ap-4,
    0x1.062a2f8ff7e5p+0,   0x1.065be6e6ee03cp-1,  0x1.06beb681df3acp-3,  0x1.0813eb8986375p-1,
    0x1.090379dc5cdf1p-2,  0x1.0a260a6d5e26p-3,   0x1.0bbb307acafdbp-24, 0x1.0bfbedfb16285p+0,
    0x1.0c86069092edcp+0,  0x1.0d55af1ee4d59p-2,  0x1.0d726986bc5f6p-1,  0x1.0f16c6f632009p+0,
    0x1.0f876ccdf6cd6p-25, 0x1.0f876ccdf6cd9p-25, 0x1.0fb6b9c0eec57p-1,  0x1.103de347f44b2p-2,
    0x1.11a08114c99bcp+0,  0x1.11ba803f22334p-1,  0x1.13463fa37014ep-24, 0x1.146de9a66c2e3p+0,
    0x1.15842cb04f9cep-2,  0x1.15ffb712e0068p-2,  0x1.1baf00b2f6b01p-1,  0x1.1c2d9650ac5f2p+0,
    0x1.1e400c741b302p+0,  0x1.1f7ef6ffd562p+0,   0x1.1fff16e5ba0e3p-2,  0x1.21745c6355307p-1,
    0x1.217532b8faae7p+0,  0x1.21c6f0699a3fdp+0,  0x1.220ac2d73f088p-2,  0x1.22b826533dc99p+0,
    0x1.24844c6d40d56p-1,  0x1.24f0918070c1fp-2,  0x1.273ebd3a4814fp-1,  0x1.2792c2b861fcbp-2,
    0x1.28b84886ff618p-1,  0x1.2b0899b756771p+0,  0x1.2c2fc595456a4p-25, 0x1.2d6b3e43fd3c7p-1,
    0x1.2dacf636e1032p-1,  0x1.2e00e6cd06767p-2,  0x1.2e0ae5857311dp+0,  0x1.2ebb1ad94a7fep-2,
    0x1.30bed7646b2aep+0,  0x1.3561f5bf797bcp+0,  0x1.35b3a711dc35ap-1,  0x1.35c1fe2237f1cp+0,
    0x1.3640630445306p-24, 0x1.3737da81c30f1p-2,  0x1.3aca9ac4d718dp+0,  0x1.3b5014b5ccae6p+0,
    0x1.3dfd2710f8618p+0,  0x1.41bf5603f5ddp+0,   0x1.44a6045114759p-2,  0x1.45c1a864fbec2p+0,
    0x1.465655f122ff4p-25, 0x1.48228de97ee2p-1,   0x1.48260d7181265p-1,  0x1.4928e67e3718ep-2,
    0x1.4abfff12ff688p-2,  0x1.4c302d61cc84ep-2,  0x1.4dc063f1180aep-2,  0x1.4f8cfd94bf1bdp-2,
    0x1.4fdb840109affp-1,  0x1.507de94d91399p-1,  0x1.5193f76d73c29p-1,  0x1.522e45e58fbbep+0,
    0x1.5504c91eb9e32p+0,  0x1.5568be5477317p-1,  0x1.580cbeee3b848p-2,  0x1.5b504e3a7cb6ap-1,
    0x1.5e8add236a58dp-25, 0x1.5f680156ed209p-2,  0x1.5fb9cf33f5119p-1,  0x1.60e8be543e6c8p-2,
    0x1.62140864c6b4bp-2,  0x1.64af4ea49404p+0,   0x1.673b9fe297c3ep+0,  0x1.679e49ab6dc28p-1,
    0x1.682bb611ae95bp-2,  0x1.69ff229757ca1p-2,  0x1.6b87ec3ad8729p+0,  0x1.6b8a6273d7c21p+0,
};

}  // namespace trig_test
