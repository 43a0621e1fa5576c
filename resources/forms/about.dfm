object VerForm: TVerForm
  Left = 245
  Top = 203
  BorderIcons = []
  BorderStyle = bsSizeToolWin
  Caption = 'バージョン情報'
  ClientHeight = 234
  ClientWidth = 403
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'ＭＳ Ｐゴシック'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 12
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 403
    Height = 234
    Align = alClient
    Caption = ''
    Color = clBlack
    TabOrder = 0
    object Label1: TLabel
      Left = 105
      Top = 37
      Width = 203
      Height = 27
      Caption = 'ＣＤデッキ「澄響」'
      Font.Charset = SHIFTJIS_CHARSET
      Font.Color = clLime
      Font.Height = -27
      Font.Name = 'ＭＳ Ｐゴシック'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Label2: TLabel
      Left = 193
      Top = 85
      Width = 173
      Height = 24
      Caption = 'ば～じょん　1.00'
      Font.Charset = SHIFTJIS_CHARSET
      Font.Color = clAqua
      Font.Height = -24
      Font.Name = 'ＭＳ Ｐゴシック'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Label4: TLabel
      Left = 233
      Top = 125
      Width = 121
      Height = 21
      Caption = '作者：ＰＬＵＭＥ'
      Font.Charset = SHIFTJIS_CHARSET
      Font.Color = clYellow
      Font.Height = -21
      Font.Name = 'ＭＳ Ｐゴシック'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Label3: TLabel
      Left = 193
      Top = 205
      Width = 198
      Height = 21
      Caption = '(C) 2026 PLUME'
      Font.Charset = SHIFTJIS_CHARSET
      Font.Color = clWhite
      Font.Height = -21
      Font.Name = 'ＭＳ Ｐゴシック'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Image1: TImage
      Left = 37
      Top = 89
      Width = 76
      Height = 80
      Picture = 'about.bmp'
      Transparent = True
      Stretch = True
    end
    object BitBtn1: TBitBtn
      Left = 156
      Top = 161
      Width = 85
      Height = 32
      Caption = 'OK'
      TabOrder = 0
      OnClick = BitBtn1Click
      Kind = bkOK
    end
  end
end
